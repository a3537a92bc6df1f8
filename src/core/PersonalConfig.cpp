#include "core/PersonalConfig.h"

#include "core/Catalogue.h"
#include "core/IniFile.h"
#include "core/Paths.h"
#include "core/SessionState.h"

#include <QFileInfo>
#include <QRegularExpression>

namespace PersonalConfig {
namespace {

const QString kSection = QStringLiteral("config perso");
const QString kObjectifs = QStringLiteral("Objectifs tables classiques");
const QString kTrous = QStringLiteral("ne travailler que les trous");

QString objectifsCourants(const SessionState &state)
{
    const QStringList &produits = state.produits_etudies.isEmpty() ? state.liste_produits : state.produits_etudies;
    if (!produits.isEmpty())
        return Catalogue::tables_des_produits(produits);
    return state.objectifs;
}

} // namespace

QString chemin(const SessionState &state)
{
    const EleveState &e = state.eleve;
    QString dossier = e.dossier_eleve;
    if (dossier.isEmpty() && !e.fichier_eleve.isEmpty())
        dossier = QFileInfo(Paths::fromStored(e.fichier_eleve)).path();
    if (dossier.isEmpty() || e.cle_eleve.isEmpty())
        return {};
    return Paths::join(dossier, e.cle_eleve + QStringLiteral(".ini"));
}

QString normalise_objectifs(const QString &texte)
{
    const QString t = texte.trimmed();
    if (t.isEmpty())
        return {};
    QString cles;
    if (t.contains(QLatin1String("table"))) {
        cles = t;
    } else {
        static const QRegularExpression codes(QStringLiteral("^\\d{4}(,\\d{4})*$"));
        if (codes.match(t).hasMatch())
            cles = Catalogue::tables_des_produits(t.split(u','));
        else
            cles = Catalogue::vers_forme_actuelle(t);
    }
    if (Catalogue::liste_produits_tables(cles).isEmpty())
        return {};
    return cles;
}

Valeurs lit(const SessionState &state)
{
    Valeurs v;
    const QString fichier = chemin(state);
    if (fichier.isEmpty() || !QFileInfo::exists(fichier))
        return v;
    const IniFile ini(fichier);
    const QString objectifs = ini.readString(kSection, kObjectifs, QStringLiteral("*"));
    if (objectifs != u"*")
        v.objectifs = normalise_objectifs(objectifs);
    const QString trous = ini.readString(kSection, kTrous, QStringLiteral("*"));
    if (trous == u"oui")
        v.trous_seuil = 0;
    else if (trous == u"non")
        v.trous_seuil = 100;
    return v;
}

bool enregistre(const SessionState &state, const QString &objectifsParDefaut, QString *error)
{
    const QString fichier = chemin(state);
    if (fichier.isEmpty())
        return true;
    const QString objectifs = objectifsCourants(state);
    QString defaut = normalise_objectifs(objectifsParDefaut);
    // An unreadable default puts every pupil on the classic tables at start:
    // a pupil who still has them does not differ.
    if (defaut.isEmpty())
        defaut = QStringLiteral("table_2,table_3,table_4,table_5,table_6,table_7,table_8,table_9");
    const int trousDefaut = state.ne_travailler_que_les_trous == u"oui" ? 0 : 100;
    const bool different = objectifs != defaut || state.eleve.trous_seuil != trousDefaut;
    if (!different && !QFileInfo::exists(fichier))
        return true;
    IniFile ini(fichier);
    return ini.writeString(kSection, kObjectifs, objectifs, error)
           && ini.writeString(kSection, kTrous, state.eleve.trous_seuil == 0 ? QStringLiteral("oui")
                                                                              : QStringLiteral("non"),
                              error);
}

} // namespace PersonalConfig
