#include "core/TestFinder.h"

#include "core/Dates.h"
#include "core/Evaluation.h"
#include "core/HistoryLines.h"
#include "core/Paths.h"
#include "core/PupilHistory.h"
#include "core/TextFile.h"

#include <QDate>
#include <QFile>
#include <QVarLengthArray>
#include <QtAlgorithms>

#include <algorithm>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif
#if defined(__x86_64__) && (defined(__GNUC__) || defined(__clang__))
#include <immintrin.h>
#define TABULON_AVX2
#endif

namespace TestFinder {
namespace {

// "14/11/2006" as "20061114"; empty when it is not a date of that shape.
// A whole class is searched with one date: the last one is kept.
QString cleDate(const QString &dateTexte)
{
    thread_local bool connue = false;
    thread_local QString derniereDate;
    thread_local QString derniereCle;
    if (connue && dateTexte == derniereDate)
        return derniereCle;
    const QString t = dateTexte.trimmed();
    const QDate d = QDate::fromString(t, QStringLiteral("dd/MM/yyyy"));
    connue = true;
    derniereDate = dateTexte;
    derniereCle = d.isValid() ? d.toString(QStringLiteral("yyyyMMdd")) : QString();
    return derniereCle;
}

QString libelle(const QDate &d, const QString &entete)
{
    if (d.isValid())
        return Dates::jour_texte(d);
    return HistoryLines::libelle_jour(entete);
}

using Positions = QVarLengthArray<qsizetype, 512>;

inline bool finLigne(char c)
{
    return c == '\n' || c == '\r';
}

// The "S"s of a 64-byte block, one bit each: the lines that start there
// are kept. Most blocks of a history (the answers of the test lines) hold none.
inline void garde(const char *debut, qsizetype i, quint64 m, Positions &sortie)
{
    while (m) {
        const qsizetype p = i + qCountTrailingZeroBits(m);
        m &= m - 1;
        if (finLigne(debut[p - 1]))
            sortie.append(p);
    }
}

#if defined(TABULON_AVX2)
// The "S"s of 32 bytes from `de` (>= 1) whose byte before ends a line.
__attribute__((target("avx2"))) inline quint32 debutsAvx2(const char *debut, qsizetype de, __m256i esses)
{
    const __m256i avant = _mm256_loadu_si256(reinterpret_cast<const __m256i *>(debut + de - 1));
    const __m256i fin = _mm256_or_si256(_mm256_cmpeq_epi8(avant, _mm256_set1_epi8('\n')),
                                        _mm256_cmpeq_epi8(avant, _mm256_set1_epi8('\r')));
    return quint32(_mm256_movemask_epi8(_mm256_and_si256(esses, fin)));
}

__attribute__((target("avx2"))) qsizetype lignesEnSAvx2(const char *debut, qsizetype taille, qsizetype i,
                                                        Positions &sortie)
{
    const __m256i s = _mm256_set1_epi8('S');
    for (; i + 64 <= taille; i += 64) {
        const __m256i a = _mm256_cmpeq_epi8(_mm256_loadu_si256(reinterpret_cast<const __m256i *>(debut + i)), s);
        const __m256i b = _mm256_cmpeq_epi8(_mm256_loadu_si256(reinterpret_cast<const __m256i *>(debut + i + 32)), s);
        const __m256i o = _mm256_or_si256(a, b);
        if (_mm256_testz_si256(o, o))
            continue;
        quint64 m = quint64(debutsAvx2(debut, i, a)) | quint64(debutsAvx2(debut, i + 32, b)) << 32;
        while (m) {
            sortie.append(i + qCountTrailingZeroBits(m));
            m &= m - 1;
        }
    }
    return i;
}
#endif

// Start of every line that begins with "S": the one pass over a whole
// history, so kept to a few instructions for 64 bytes.
void lignesEnS(const char *debut, qsizetype taille, Positions &sortie)
{
    if (taille > 0 && debut[0] == 'S')
        sortie.append(0);
    qsizetype i = 1;
#if defined(TABULON_AVX2)
    static const bool avx2 = __builtin_cpu_supports("avx2");
    if (avx2)
        i = lignesEnSAvx2(debut, taille, i, sortie);
#endif
#if defined(__SSE2__)
    const __m128i s = _mm_set1_epi8('S');
    for (; i + 64 <= taille; i += 64) {
        const __m128i a = _mm_cmpeq_epi8(_mm_loadu_si128(reinterpret_cast<const __m128i *>(debut + i)), s);
        const __m128i b = _mm_cmpeq_epi8(_mm_loadu_si128(reinterpret_cast<const __m128i *>(debut + i + 16)), s);
        const __m128i c = _mm_cmpeq_epi8(_mm_loadu_si128(reinterpret_cast<const __m128i *>(debut + i + 32)), s);
        const __m128i d = _mm_cmpeq_epi8(_mm_loadu_si128(reinterpret_cast<const __m128i *>(debut + i + 48)), s);
        if (!_mm_movemask_epi8(_mm_or_si128(_mm_or_si128(a, b), _mm_or_si128(c, d))))
            continue;
        garde(debut, i,
              quint64(quint16(_mm_movemask_epi8(a))) | quint64(quint16(_mm_movemask_epi8(b))) << 16
                  | quint64(quint16(_mm_movemask_epi8(c))) << 32 | quint64(quint16(_mm_movemask_epi8(d))) << 48,
              sortie);
    }
#endif
    for (; i < taille; ++i) {
        const void *trouve = std::memchr(debut + i, 'S', size_t(taille - i));
        if (!trouve)
            break;
        i = static_cast<const char *>(trouve) - debut;
        if (finLigne(debut[i - 1]))
            sortie.append(i);
    }
}

// Position of the first "/" of the line from `de`; -1 when the line ends
// before one.
qsizetype barreDeLigne(const char *debut, qsizetype taille, qsizetype de)
{
#if defined(__SSE2__)
    const __m128i barre = _mm_set1_epi8('/'), lf = _mm_set1_epi8('\n'), cr = _mm_set1_epi8('\r');
    for (; de + 16 <= taille; de += 16) {
        const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i *>(debut + de));
        const int m = _mm_movemask_epi8(
            _mm_or_si128(_mm_cmpeq_epi8(v, barre), _mm_or_si128(_mm_cmpeq_epi8(v, lf), _mm_cmpeq_epi8(v, cr))));
        if (m) {
            de += qCountTrailingZeroBits(quint32(m));
            return debut[de] == '/' ? de : -1;
        }
    }
#endif
    for (; de < taille && !finLigne(debut[de]); ++de) {
        if (debut[de] == '/')
            return de;
    }
    return -1;
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

    const TestOctets t = cherche_test_fichier(fichier, dateTexte, direction == u"dernier", masquerIncomplets, objectifs);
    r.enregistrements = t.enregistrements;
    r.date = t.libelle;
    return r;
}

QString cle_date(const QString &dateTexte)
{
    return cleDate(dateTexte);
}

TestOctets cherche_test_fichier(const QString &chemin, const QString &dateTexte, bool enArriere,
                                bool masquerIncomplets, const QString &objectifs)
{
    const QString k = cleDate(dateTexte);
    if (k.isEmpty())
        return {};
    // One buffer for all the files a thread searches.
    thread_local QByteArray tampon;
    QFile f(Paths::fromStored(chemin));
    // A file too large to be a pupil's history is not read at all.
    if (!f.open(QIODevice::ReadOnly | QIODevice::Unbuffered) || f.size() > PupilHistory::kTailleMaxFichier)
        return {};
    tampon.resize(f.size());
    const qint64 lu = tampon.isEmpty() ? 0 : f.read(tampon.data(), tampon.size());
    return cherche_test_octets(QByteArrayView(tampon.constData(), qMax<qint64>(0, lu)), k, enArriere,
                               masquerIncomplets, objectifs);
}

TestOctets cherche_test_octets(QByteArrayView contenu, const QString &cleDate, bool enArriere,
                               bool masquerIncomplets, const QString &objectifs, bool avecLibelle)
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

    // Session headers are the lines that start with "S" and hold a "/". Every
    // header counts, wherever it lies (a merged file, a clock set back), so
    // the whole file is looked through once; but only for the "S"s that start
    // a line, and without cutting any line: a header is read up to its "/",
    // the activity lines only in the sessions searched.
    struct Tete { qsizetype debut; qsizetype barre; };  // the line's start and its first "/"
    QVarLengthArray<Tete, 128> tetes;
    struct Entete { quint32 jour; qsizetype tete; };
    QVarLengthArray<Entete, 128> entetes;
    bool dansLOrdre = true;
    const auto candidat = [&](qsizetype p) {
        const qsizetype b = barreDeLigne(debut, taille, p + 1);
        if (b < 0)
            return;
        tetes.append({p, b});
        // A whole date: two digits each side of the "/", a year of four
        // digits after the second; a damaged header still ends the session above it.
        if (b - p < 2 || b + 8 > taille || finLigne(debut[b + 3]))
            return;
        quint32 jour = 0, mois = 0, annee = 0;
        const auto nombre = [&](qsizetype de, int n, quint32 *v) {
            for (int c = 0; c < n; ++c) {
                const char ch = debut[de + c];
                if (ch < '0' || ch > '9')
                    return false;
                *v = *v * 10 + quint32(ch - '0');
            }
            return true;
        };
        if (!nombre(b + 4, 4, &annee) || !nombre(b + 1, 2, &mois) || !nombre(b - 2, 2, &jour))
            return;
        const quint32 cle = annee * 10000 + mois * 100 + jour;
        if (!entetes.isEmpty() && entetes.last().jour > cle)
            dansLOrdre = false;
        entetes.append({cle, tetes.size() - 1});
    };
    Positions debutsEnS;
    lignesEnS(debut, taille, debutsEnS);
    for (const qsizetype p : debutsEnS)
        candidat(p);
    if (entetes.isEmpty())
        return r;
    // Days in date order, each day's sessions in file order. A history is
    // written in date order, so the sort is seldom needed.
    if (!dansLOrdre)
        std::stable_sort(entetes.begin(), entetes.end(),
                         [](const Entete &a, const Entete &b) { return a.jour < b.jour; });

    const quint32 k = cleDate.toUInt();
    // First header of the day to start from, and the way to walk.
    qsizetype e = std::lower_bound(entetes.begin(), entetes.end(), k,
                                   [](const Entete &x, quint32 v) { return x.jour < v; }) - entetes.begin();
    if (enArriere) {
        // The last day on or before the date: its first header.
        const qsizetype fin = std::upper_bound(entetes.begin(), entetes.end(), k,
                                               [](quint32 v, const Entete &x) { return v < x.jour; }) - entetes.begin();
        if (fin == 0)
            return r;
        e = fin - 1;
        while (e > 0 && entetes[e - 1].jour == entetes[e].jour)
            --e;
    } else if (e >= entetes.size()) {
        return r;
    }

    const QByteArrayView marque("TEST");
    while (e >= 0 && e < entetes.size()) {
        const quint32 jour = entetes[e].jour;
        qsizetype finJour = e;
        while (finJour < entetes.size() && entetes[finJour].jour == jour)
            ++finJour;
        // Every session of the day is searched, not only its first one: a test
        // taken in a second session that day is found, as the pupil's own
        // graph finds it.
        for (qsizetype h = e; h < finJour; ++h) {
            const qsizetype t = entetes[h].tete;
            const qsizetype finTete = finDeLigne(tetes[t].barre);
            const qsizetype finSeance = t + 1 < tetes.size() ? tetes[t + 1].debut : taille;
            for (qsizetype n = apres(finTete); n < finSeance;) {
                const qsizetype f = qMin(finDeLigne(n), finSeance);
                const QByteArrayView l(debut + n, f - n);
                n = apres(f);
                if (!l.contains(marque))
                    continue;
                // The records start after the line's head; a test line cut
                // or damaged before any whole answer has nothing to report.
                if (l.size() <= HistoryLines::kTeteLigneTest)
                    continue;
                const QByteArrayView octets = l.sliced(HistoryLines::kTeteLigneTest);
                bool reponse = false;
                for (qsizetype a = 0; !reponse && a + 12 <= octets.size(); a += 12) {
                    reponse = octets[a] == 'P';
                    for (qsizetype c = a + 1; reponse && c < a + 12; ++c)
                        reponse = octets[c] >= '0' && octets[c] <= '9';
                }
                if (!reponse)
                    continue;
                QString enregistrements = TextFile::decode1252(octets);
                if (masquerIncomplets && !Evaluation::test_couvre_tables(enregistrements, objectifs))
                    continue;
                r.enregistrements = std::move(enregistrements);
                r.cleJour = QString::number(jour);
                r.date = QDate(int(jour / 10000), int(jour / 100 % 100), int(jour % 100));
                r.heureFin = TextFile::decode1252(l.sliced(20, 8));
                if (avecLibelle)
                    r.libelle = libelle(r.date, TextFile::decode1252(QByteArrayView(debut + tetes[t].debut,
                                                                                finTete - tetes[t].debut)));
                return r;
            }
        }
        if (enArriere) {
            if (e == 0)
                break;
            qsizetype j = e - 1;
            while (j > 0 && entetes[j - 1].jour == entetes[j].jour)
                --j;
            e = j;
        } else {
            e = finJour;
        }
    }
    return r;
}

} // namespace TestFinder
