#include "core/TeacherSettings.h"

#include "core/Catalogue.h"
#include "core/IniFile.h"
#include "core/IniSections.h"
#include "core/LearningPlan.h"
#include "core/Paths.h"
#include "core/TextFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace TeacherSettings {
namespace {

const QString &kGeneral = IniSection::General;
const QString &kDossiers = IniSection::Dossiers;
const QString &kParametres = IniSection::Parametres;
const QString &kOptions = IniSection::Options;
const QString &kBlocs = IniSection::Blocs;
const QString &kCodes = IniSection::Codes;
const QString &kPerfect = IniSection::Perfectionnement;
const QString &kApparence = IniSection::Apparence;

// Several keys written one after the other; the first failure is kept.
class Ecrivain
{
public:
    explicit Ecrivain(IniFile &ini) : m_ini(ini) {}
    void texte(const QString &s, const QString &k, const QString &v)
    {
        if (m_ok)
            m_ok = m_ini.writeString(s, k, v, &m_erreur);
    }
    void entier(const QString &s, const QString &k, int v) { texte(s, k, QString::number(v)); }
    void ouiNon(const QString &s, const QString &k, bool v) { texte(s, k, v ? QStringLiteral("oui") : QStringLiteral("non")); }
    bool fin(QString *erreur) const
    {
        if (!m_ok && erreur)
            *erreur = m_erreur;
        return m_ok;
    }

private:
    IniFile &m_ini;
    bool m_ok = true;
    QString m_erreur;
};

void ecrit_communs(Ecrivain &e, const Reglages &r)
{
    e.entier(kParametres, QStringLiteral("temps de réponse acceptable"), r.tempsAcceptable);
    e.entier(kParametres, QStringLiteral("temps de réponse maximum"), r.tempsMaximum);
    e.entier(kPerfect, QStringLiteral("Temps de réponse initial"), r.tempsInitialPerfect);
    e.entier(kPerfect, QStringLiteral("Temps de réponse final"), r.tempsFinalPerfect);
    e.texte(kOptions, QStringLiteral("Ordre rangement items"), r.ordre);
    e.entier(kBlocs, QStringLiteral("Nombre d'items par bloc"), r.tailleBloc);
    e.texte(kBlocs, QStringLiteral("Formule récursive"), r.formule.trimmed());
}

void ecrit_options(Ecrivain &e, const Reglages &r)
{
    e.ouiNon(kPerfect, QStringLiteral("Apprentissage obligatoire avant perfectionnement"), r.apprentissageObligatoire);
    e.ouiNon(kApparence, QStringLiteral("Chrono test visible"), r.chronoVisible);
    e.ouiNon(kApparence, QStringLiteral("Bouton pause test visible"), r.pauseVisible);
    e.ouiNon(kApparence, QStringLiteral("Masquer tests incomplets"), r.masquerIncomplets);
    e.ouiNon(kGeneral, QStringLiteral("Autorise configuration personnelle"), r.configPerso);
}

bool ecrit_fichier(const QString &chemin, const Ecriture &ecrit, QString *erreur)
{
    // The changes are made on a copy, which then replaces the file whole.
    const QString copie = chemin + QStringLiteral(".maj");
    QFile::remove(copie);
    if (QFileInfo::exists(chemin) && !QFile::copy(chemin, copie)) {
        if (erreur)
            *erreur = QStringLiteral("Le fichier %1 ne peut pas être lu.").arg(QDir::toNativeSeparators(chemin));
        return false;
    }
    IniFile ini(copie);
    bool ok = ecrit(ini, erreur);
    if (ok) {
        QFile f(copie);
        ok = f.open(QIODevice::ReadOnly) && TextFile::saveBytes(chemin, f.readAll(), erreur);
    }
    QFile::remove(copie);
    return ok;
}

} // namespace

QString cle_table_objectif(int table)
{
    return table == 11 ? QStringLiteral("table_carres") : Catalogue::cle_table(table);
}

Reglages lit(const IniFile &ini)
{
    Reglages r;
    r.cheminServeur = ini.readString(kDossiers, QStringLiteral("Chemin serveur"));
    r.dossierElevesReseau = ini.readString(kDossiers, QStringLiteral("Dossier élèves en réseau"));
    const qsizetype p = r.dossierElevesReseau.indexOf(kPlaceholderServeur);
    if (p >= 0)
        r.dossierElevesReseau.remove(p, kPlaceholderServeur.size());
    r.dossierMonoposte = ini.readString(kDossiers, QStringLiteral("Dossier élèves monoposte"));
    r.dossierStatistiques = ini.readString(kDossiers, QStringLiteral("Dossier statistiques"));
    r.codeProfesseur = ini.readString(kCodes, QStringLiteral("Code d'accès professeur"));
    r.identificationParCode = ini.readBool(kCodes, QStringLiteral("Identification par code"));
    r.tempsAcceptable = ini.readInteger(kParametres, QStringLiteral("temps de réponse acceptable"));
    r.tempsMaximum = ini.readInteger(kParametres, QStringLiteral("temps de réponse maximum"));
    r.tempsInitialPerfect = ini.readInteger(kPerfect, QStringLiteral("Temps de réponse initial"));
    r.tempsFinalPerfect = ini.readInteger(kPerfect, QStringLiteral("Temps de réponse final"));
    r.apprentissageObligatoire = ini.readBool(kPerfect, QStringLiteral("Apprentissage obligatoire avant perfectionnement"));
    r.chronoVisible = ini.readBool(kApparence, QStringLiteral("Chrono test visible"));
    r.pauseVisible = ini.readBool(kApparence, QStringLiteral("Bouton pause test visible"));
    r.masquerIncomplets = ini.readBool(kApparence, QStringLiteral("Masquer tests incomplets"));
    r.configPerso = ini.readBool(kGeneral, QStringLiteral("Autorise configuration personnelle"));
    const QString ordre = ini.readString(kOptions, QStringLiteral("Ordre rangement items"));
    r.ordre = ordre == u"par tables" ? ordre : QStringLiteral("valeur produit");
    r.tailleBloc = ini.readInteger(kBlocs, QStringLiteral("Nombre d'items par bloc"));
    r.formule = ini.readString(kBlocs, QStringLiteral("Formule récursive"));
    r.objectifsClassiques = ini.readString(kParametres, QStringLiteral("Objectifs tables classiques par defaut"));
    r.objectifsEtendus = ini.readString(kParametres, QStringLiteral("Objectifs tables etendues par defaut"));
    r.modeEcole = ini.readString(kGeneral, QStringLiteral("Mode")) == u"Ecole";
    return r;
}

QString verifie_formule(const QString &formule)
{
    const QString champ = QStringLiteral("Formule récursive d'apprentissage: ");
    const QStringList parts = formule.trimmed().split(u'.');
    QList<int> n;
    for (const QString &p : parts) {
        bool ok = false;
        const int v = p.toInt(&ok);
        if (!ok || v < 1 || v > 99 || p.trimmed() != p)
            return champ + QStringLiteral("\"%1\" n'est pas une suite de nombres entiers positifs séparés par des "
                                          "points (par exemple 1.1.2.1.3).")
                               .arg(formule);
        n.append(v);
    }
    if (n.size() < 2 || n.last() < 2)
        return champ + QStringLiteral("le dernier nombre doit être 2 ou plus, après au moins un autre nombre.");
    int blocs = 0;
    for (qsizetype i = 0; i < n.size(); ++i) {
        if (n[i] == 1)
            ++blocs;
        else if (n[i] > blocs)
            return champ + QStringLiteral("la révision %1 vient après %2 bloc(s) seulement.").arg(n[i]).arg(blocs);
    }
    if (n.last() != blocs)
        return champ + QStringLiteral("le dernier nombre (%1) doit être le nombre de 1 de la formule (%2).")
                           .arg(n.last())
                           .arg(blocs);
    // The plan builder has the last word: whatever it cannot serve is refused here too.
    if (!LearningPlan::formule_valide(formule.trimmed()))
        return champ + QStringLiteral("le plan d'apprentissage ne peut pas être construit avec \"%1\".").arg(formule);
    return {};
}

QString verifie(const Reglages &r)
{
    struct Temps { int valeur; const char *champ; };
    for (const Temps &t : {Temps{r.tempsAcceptable, "Temps de réponse acceptable"},
                           Temps{r.tempsMaximum, "Temps de réponse maximum"},
                           Temps{r.tempsInitialPerfect, "Temps réponse initial perfectionnement"},
                           Temps{r.tempsFinalPerfect, "Temps réponse final perfectionnement"}}) {
        if (t.valeur < kSecondesMin || t.valeur > kSecondesMax)
            return QString::fromUtf8(t.champ) + QStringLiteral(": entrez un nombre de secondes de 1 à 99.");
    }
    if (r.tailleBloc < 2 || r.tailleBloc > 4)
        return QStringLiteral("Taille des blocs: choisissez des blocs de 2, 3 ou 4 items.");
    return verifie_formule(r.formule);
}

QString avertissement_code(const QString &code)
{
    if (code.size() > 4 || code != code.toLower())
        return QStringLiteral("Le code professeur ne pourra pas être tapé: l'accès n'accepte que 4 caractères au "
                              "plus, en minuscules.");
    return {};
}

bool ecrit_parametres(IniFile &ini, const Reglages &r, QString *erreur)
{
    Ecrivain e(ini);
    QString serveur = r.cheminServeur;
    if (serveur.endsWith(u'\\'))
        serveur.chop(1);
    e.texte(kDossiers, QStringLiteral("Chemin serveur"), serveur);
    e.texte(kDossiers, QStringLiteral("Dossier élèves en réseau"), kPlaceholderServeur + r.dossierElevesReseau);
    e.texte(kDossiers, QStringLiteral("Dossier élèves monoposte"), r.dossierMonoposte);
    e.texte(kDossiers, QStringLiteral("Dossier statistiques"), r.dossierStatistiques);
    ecrit_communs(e, r);
    e.texte(kCodes, QStringLiteral("Code d'accès professeur"), r.codeProfesseur);
    e.ouiNon(kCodes, QStringLiteral("Identification par code"), r.identificationParCode);
    ecrit_options(e, r);
    return e.fin(erreur);
}

bool ecrit_reglages(IniFile &ini, const Reglages &r, QString *erreur)
{
    Ecrivain e(ini);
    ecrit_communs(e, r);
    ecrit_options(e, r);
    // Only the range the teacher chose is written; an empty one is left as stored.
    if (!r.objectifsClassiques.isEmpty())
        e.texte(kParametres, QStringLiteral("Objectifs tables classiques par defaut"), r.objectifsClassiques);
    if (!r.objectifsEtendus.isEmpty())
        e.texte(kParametres, QStringLiteral("Objectifs tables etendues par defaut"), r.objectifsEtendus);
    e.texte(kGeneral, QStringLiteral("Mode"), r.modeEcole ? QStringLiteral("Ecole") : QStringLiteral("Maison"));
    return e.fin(erreur);
}

QList<ObjectifsNiveau> lit_objectifs_niveaux(const QString &texte)
{
    QList<ObjectifsNiveau> niveaux;
    qsizetype i = 0;
    while (i < texte.size()) {
        const qsizetype ouvre = texte.indexOf(u'<', i);
        if (ouvre < 0)
            break;
        const qsizetype ferme = texte.indexOf(u'>', ouvre);
        ObjectifsNiveau n;
        n.niveau = texte.mid(i, ouvre - i);
        const QString dedans = texte.mid(ouvre + 1, ferme < 0 ? -1 : ferme - ouvre - 1);
        for (const QString &t : dedans.split(u',', Qt::SkipEmptyParts))
            n.tables.append(t.trimmed());
        niveaux.append(n);
        if (ferme < 0)
            break;
        i = ferme + 1;
    }
    return niveaux;
}

QString texte_objectifs_niveaux(const QList<ObjectifsNiveau> &niveaux)
{
    QString t;
    for (const ObjectifsNiveau &n : niveaux)
        t += n.niveau + u'<' + n.tables.join(u',') + u'>';
    return t;
}

QString chemin_ini_serveur(const SessionState &state)
{
    if (!state.mode_ecole || !state.serveur_accessible || state.chemin_serveur.trimmed().isEmpty())
        return {};
    const QString dossier = Paths::join(state.chemin_serveur, QStringLiteral("Tabulon"));
    if (!QFileInfo(dossier).isDir())
        return {};
    return Paths::join(dossier, QStringLiteral("Tabulon.ini"));
}

bool enregistre_partout(const SessionState &state, const QString &iniLocal, const Ecriture &ecrit, QString *erreur,
                        QString *avertissement)
{
    if (avertissement)
        avertissement->clear();
    const QString serveur = chemin_ini_serveur(state);
    const bool memeFichier = !serveur.isEmpty()
                             && QFileInfo(serveur).absoluteFilePath() == QFileInfo(iniLocal).absoluteFilePath();
    if (!serveur.isEmpty() && !memeFichier) {
        QString raison;
        if (!ecrit_fichier(serveur, ecrit, &raison) && avertissement)
            *avertissement = QStringLiteral("Le fichier de configuration du serveur n'a pas pu être modifié (%1).\n"
                                            "Le changement reste sur ce poste seulement et sera remplacé par la "
                                            "configuration du serveur au prochain démarrage.")
                                 .arg(raison);
    }
    return ecrit_fichier(iniLocal, ecrit, erreur);
}

} // namespace TeacherSettings
