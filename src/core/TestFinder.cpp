#include "core/TestFinder.h"

#include "core/Dates.h"
#include "core/Evaluation.h"
#include "core/HistoryLines.h"
#include "core/Paths.h"
#include "core/PupilHistory.h"
#include "core/TextFile.h"

#include <QDate>
#include <QMap>

#include <algorithm>

namespace TestFinder {
namespace {

// "14/11/2006" as "20061114"; empty when it is not a date of that shape.
QString cleDate(const QString &dateTexte)
{
    const QString t = dateTexte.trimmed();
    const QDate d = QDate::fromString(t, QStringLiteral("dd/MM/yyyy"));
    if (!d.isValid())
        return {};
    return d.toString(QStringLiteral("yyyyMMdd"));
}

QString libelle(const QString &cle, const QString &entete)
{
    const QDate d = QDate::fromString(cle, QStringLiteral("yyyyMMdd"));
    if (d.isValid())
        return Dates::jour_texte(d);
    return HistoryLines::libelle_jour(entete);
}

} // namespace

TestTrouve cherche_test_eleve(const QString &chemin, const QString &dateTexte, const QString &direction,
                              bool masquerIncomplets, const QString &objectifs)
{
    TestTrouve r;
    const QString fichier = Paths::fromStored(chemin);
    QString nomFichier = fichier.mid(fichier.lastIndexOf(u'/') + 1);
    const qsizetype point = nomFichier.lastIndexOf(u'.');
    if (point > 0)
        nomFichier.truncate(point);
    const qsizetype souligne = nomFichier.indexOf(u'_');
    r.nom = souligne < 0 ? nomFichier : nomFichier.left(souligne);
    r.prenom = souligne < 0 ? QString() : nomFichier.mid(souligne + 1);

    const QString k = cleDate(dateTexte);
    if (k.isEmpty() || !PupilHistory::refus_taille(fichier).isEmpty())
        return r;

    const QStringList lignes = TextFile::loadLines(fichier);
    // Headers of each day, in file order; QMap keeps the days sorted.
    QMap<QString, QList<qsizetype>> jours;
    for (qsizetype i = 0; i < lignes.size(); ++i) {
        if (!HistoryLines::est_entete(lignes.at(i)))
            continue;
        const QString cle = HistoryLines::cle_jour(lignes.at(i));
        if (!cle.isEmpty())
            jours[cle].append(i);
    }
    const QStringList D = jours.keys();
    if (D.isEmpty())
        return r;

    const bool enArriere = direction == u"dernier";
    const qsizetype place = std::lower_bound(D.begin(), D.end(), k) - D.begin();
    qsizetype i = place;
    if (place >= D.size() || D.at(place) != k) {
        if (enArriere) {
            if (place == 0)
                return r;
            i = place - 1;
        } else if (place >= D.size()) {
            return r;
        }
    }

    for (; i >= 0 && i < D.size(); i += enArriere ? -1 : 1) {
        const QList<qsizetype> &entetes = jours.value(D.at(i));
        for (const qsizetype h : entetes) {
            for (qsizetype j = h + 1; j < lignes.size() && !HistoryLines::est_entete(lignes.at(j)); ++j) {
                const QString &ligne = lignes.at(j);
                if (!HistoryLines::est_ligne_test(ligne))
                    continue;
                const QString enregistrements = HistoryLines::enregistrements(ligne);
                // A test line cut or damaged before any whole answer has nothing to report.
                if (!HistoryLines::a_une_reponse(enregistrements))
                    continue;
                if (masquerIncomplets && !Evaluation::test_couvre_tables(enregistrements, objectifs))
                    continue;
                r.enregistrements = enregistrements;
                r.date = libelle(D.at(i), lignes.at(h));
                return r;
            }
        }
    }
    return r;
}

} // namespace TestFinder
