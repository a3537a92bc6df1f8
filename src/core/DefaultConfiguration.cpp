#include "core/DefaultConfiguration.h"

#include "core/TextFile.h"

#include <QFileInfo>

namespace DefaultConfiguration {

QStringList lignes()
{
    return {
        QStringLiteral("[General]"),
        QStringLiteral("Mode=Maison"),
        QStringLiteral("Autorise configuration personnelle=non"),
        QString(),
        QStringLiteral("[Dossiers]"),
        QStringLiteral("Chemin serveur="),
        QStringLiteral("Dossier élèves en réseau={Chemin serveur}\\Eleves"),
        QStringLiteral("Dossier élèves monoposte=Eleves"),
        QStringLiteral("Dossier statistiques=Statistiques"),
        QString(),
        QStringLiteral("[Etablissement]"),
        QStringLiteral("Nom=Collège de Valdorne"),
        QStringLiteral("Objectifs tables classiques par niveaux="),
        QStringLiteral("Objectifs tables etendues par niveaux="),
        QString(),
        QStringLiteral("[Paramètres]"),
        QStringLiteral("temps de réponse acceptable=4"),
        QStringLiteral("temps de réponse maximum=30"),
        QStringLiteral("Objectifs tables classiques par defaut=table_2,table_3,table_4,table_5,table_6,table_7,table_8,table_9"),
        QStringLiteral("Objectifs tables etendues par defaut=table_carres"),
        QString(),
        QStringLiteral("[Options d'apprentissage]"),
        QStringLiteral("Ordre rangement items=valeur produit"),
        QStringLiteral("ne travailler que les trous=non"),
        QString(),
        QStringLiteral("[Apprentissage par blocs]"),
        QStringLiteral("Nombre d'items par bloc=3"),
        QStringLiteral("Formule récursive=1.1.1.3"),
        QString(),
        QStringLiteral("[Codes]"),
        QStringLiteral("Code d'accès professeur="),
        QStringLiteral("Identification par code=non"),
        QString(),
        QStringLiteral("[perfectionnement]"),
        QStringLiteral("Apprentissage obligatoire avant perfectionnement=non"),
        QStringLiteral("Temps de réponse initial=20"),
        QStringLiteral("Temps de réponse final=20"),
        QString(),
        QStringLiteral("[Apparence]"),
        QStringLiteral("Chrono test visible=oui"),
        QStringLiteral("Bouton pause test visible=oui"),
        QStringLiteral("Masquer tests incomplets=non"),
    };
}

bool ecrit_si_absent(const QString &cheminIni, bool *ecrit, QString *erreur)
{
    if (ecrit)
        *ecrit = false;
    // A folder or anything else standing at the path is not replaced.
    if (QFileInfo::exists(cheminIni))
        return QFileInfo(cheminIni).isFile();
    if (!TextFile::saveLines(cheminIni, lignes(), erreur))
        return false;
    if (ecrit)
        *ecrit = true;
    return true;
}

} // namespace DefaultConfiguration
