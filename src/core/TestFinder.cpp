#include "core/TestFinder.h"

#include "core/Dates.h"
#include "core/Evaluation.h"
#include "core/HistoryLines.h"
#include "core/Paths.h"
#include "core/TextFile.h"

#include <QDate>
#include <QFile>
#include <QVarLengthArray>

#include <algorithm>
#include <cstring>

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

QString libelle(const QDate &d, const QString &entete)
{
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
    if (k.isEmpty())
        return r;

    QFile f(fichier);
    if (!f.open(QIODevice::ReadOnly))
        return r;
    const TestOctets t = cherche_test_octets(f.readAll(), k, direction == u"dernier", masquerIncomplets, objectifs);
    r.enregistrements = t.enregistrements;
    r.date = t.libelle;
    return r;
}

TestOctets cherche_test_octets(QByteArrayView contenu, const QString &cleDate, bool enArriere,
                               bool masquerIncomplets, const QString &objectifs)
{
    TestOctets r;
    const char *const debut = contenu.data();
    const qsizetype taille = contenu.size();

    // Line ends are CR LF, LF or a lone CR. End of the line that starts at
    // `de`, and start of the line after the end `fin`.
    const auto finDeLigne = [&](qsizetype de) {
        const void *nl = std::memchr(debut + de, '\n', size_t(taille - de));
        const qsizetype limite = nl ? static_cast<const char *>(nl) - debut : taille;
        const void *cr = std::memchr(debut + de, '\r', size_t(limite - de));
        return cr ? static_cast<const char *>(cr) - debut : limite;
    };
    const auto apres = [&](qsizetype fin) {
        return fin + 1 < taille && debut[fin] == '\r' && debut[fin + 1] == '\n' ? fin + 2 : fin + 1;
    };

    // Session headers are the lines that start with "S" and hold a "/".
    // Looking for the "S"s is one quick pass over the bytes; the activity
    // lines are cut only in the sessions searched.
    struct Ligne { qsizetype debut; qsizetype fin; };
    QVarLengthArray<Ligne, 128> tetes;
    for (qsizetype i = 0; i < taille;) {
        const void *trouve = std::memchr(debut + i, 'S', size_t(taille - i));
        if (!trouve)
            break;
        const qsizetype p = static_cast<const char *>(trouve) - debut;
        if (p > 0 && debut[p - 1] != '\n' && debut[p - 1] != '\r') {
            i = p + 1;
            continue;
        }
        const qsizetype f = finDeLigne(p);
        if (QByteArrayView(debut + p, f - p).contains('/'))
            tetes.append({p, f});
        i = f;
    }

    // Headers with a whole date, by day; a stable sort keeps each day's
    // sessions in file order. A damaged header still ends the session above it.
    struct Entete { quint32 jour; qsizetype tete; };
    QVarLengthArray<Entete, 128> entetes;
    for (qsizetype t = 0; t < tetes.size(); ++t) {
        const QByteArrayView l(debut + tetes[t].debut, tetes[t].fin - tetes[t].debut);
        const qsizetype p = l.indexOf('/');
        if (p < 2 || p + 8 > l.size())
            continue;
        const auto nombre = [&](qsizetype de, int n2, quint32 *v) {
            for (int c = 0; c < n2; ++c) {
                const char ch = l[de + c];
                if (ch < '0' || ch > '9')
                    return false;
                *v = *v * 10 + quint32(ch - '0');
            }
            return true;
        };
        quint32 annee = 0, mois = 0, jour = 0;
        if (!nombre(p + 4, 4, &annee) || !nombre(p + 1, 2, &mois) || !nombre(p - 2, 2, &jour))
            continue;
        entetes.append({annee * 10000 + mois * 100 + jour, t});
    }
    std::stable_sort(entetes.begin(), entetes.end(), [](const Entete &a, const Entete &b) { return a.jour < b.jour; });
    if (entetes.isEmpty())
        return r;

    const quint32 k = cleDate.toUInt();
    // First header of the day to start from, and the way to walk.
    qsizetype i = std::lower_bound(entetes.begin(), entetes.end(), k,
                                   [](const Entete &e, quint32 v) { return e.jour < v; }) - entetes.begin();
    if (enArriere) {
        // The last day on or before the date: its first header.
        qsizetype fin = std::upper_bound(entetes.begin(), entetes.end(), k,
                                         [](quint32 v, const Entete &e) { return v < e.jour; }) - entetes.begin();
        if (fin == 0)
            return r;
        i = fin - 1;
        while (i > 0 && entetes[i - 1].jour == entetes[i].jour)
            --i;
    } else if (i >= entetes.size()) {
        return r;
    }

    while (i >= 0 && i < entetes.size()) {
        const quint32 jour = entetes[i].jour;
        qsizetype finJour = i;
        while (finJour < entetes.size() && entetes[finJour].jour == jour)
            ++finJour;
        for (qsizetype h = i; h < finJour; ++h) {
            const qsizetype t = entetes[h].tete;
            const qsizetype finSeance = t + 1 < tetes.size() ? tetes[t + 1].debut : taille;
            for (qsizetype n = apres(tetes[t].fin); n < finSeance;) {
                const qsizetype f = qMin(finDeLigne(n), finSeance);
                const QByteArrayView l(debut + n, f - n);
                n = apres(f);
                if (!l.contains(QByteArrayView("TEST")))
                    continue;
                const QString ligne = TextFile::decode1252(l.toByteArray());
                const QString enregistrements = HistoryLines::enregistrements(ligne);
                // A test line cut or damaged before any whole answer has nothing to report.
                if (!HistoryLines::a_une_reponse(enregistrements))
                    continue;
                if (masquerIncomplets && !Evaluation::test_couvre_tables(enregistrements, objectifs))
                    continue;
                r.enregistrements = enregistrements;
                r.cleJour = QString::number(jour);
                r.date = QDate(int(jour / 10000), int(jour / 100 % 100), int(jour % 100));
                r.heureFin = ligne.mid(20, 8);
                r.libelle = libelle(r.date, TextFile::decode1252(QByteArray(
                                                debut + tetes[t].debut, tetes[t].fin - tetes[t].debut)));
                return r;
            }
        }
        if (enArriere) {
            if (i == 0)
                break;
            qsizetype j = i - 1;
            while (j > 0 && entetes[j - 1].jour == entetes[j].jour)
                --j;
            i = j;
        } else {
            i = finJour;
        }
    }
    return r;
}

} // namespace TestFinder
