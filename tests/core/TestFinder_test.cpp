#include "../bench/support/SchoolGenerator.h"
#include "core/Catalogue.h"
#include "core/Dates.h"
#include "core/Evaluation.h"
#include "core/HistoryLines.h"
#include "core/TestFinder.h"
#include "core/TextFile.h"
#include "support/TestSearchReference.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <algorithm>
#include <random>

namespace {

QString reponses(const QString &tables)
{
    QString r;
    for (const QString &code : Catalogue::liste_produits_tables(tables))
        r += u'P' + code + QStringLiteral("010") + Catalogue::resultat_produit_4(code);
    return r;
}

QString entete(const QString &jour, const QString &date, const QString &debut = QStringLiteral("09:00:00"))
{
    return HistoryLines::entete_seance(jour, date, debut, QStringLiteral("09:30:00"), QStringLiteral("P"));
}

const QString kApprentissage = QStringLiteral("\tAPPRENTISSAGE de 09:01:00 à 09:20:00: 40 répétitions");
const QString kIncomplet = reponses("table_2");
const QString kComplet = reponses("table_2,table_3");

} // namespace

TEST(TestFinder, WalksTheDaysFromTheDateInEitherDirection)
{
    QTemporaryDir dir;
    const QString chemin = dir.filePath("Dupont Martin_Léa.txt");
    // Thursday's session was merged in before Tuesday's: days are sorted by date.
    ASSERT_TRUE(TextFile::saveLines(chemin, {
        entete("Lundi", "13/11/2006"), kApprentissage,
        entete("Jeudi", "16/11/2006"), "\tTEST de 09:01:00 à 09:05:00 " + kComplet,
        entete("Mardi", "14/11/2006"), kApprentissage,
        entete("Mardi", "14/11/2006", "14:00:00"), "\tTEST de 14:01:00 à 14:05:00 " + kIncomplet,
        entete("Lundi", "20/11/2006"), kApprentissage, "\tTEST de 10:00",
    }));

    struct Cas { const char *date; const char *direction; bool masquer; QString enregistrements; QString jour; };
    const QList<Cas> cas{
        // The test of the day's second session counts.
        {"14/11/2006", "premier", false, kIncomplet, "Mardi 14/11/2006"},
        {"14/11/2006", "dernier", false, kIncomplet, "Mardi 14/11/2006"},
        {"14/11/2006", "premier", true, kComplet, "Jeudi 16/11/2006"},
        {"15/11/2006", "premier", false, kComplet, "Jeudi 16/11/2006"},
        {"15/11/2006", "dernier", false, kIncomplet, "Mardi 14/11/2006"},
        {"20/11/2006", "dernier", false, kComplet, "Jeudi 16/11/2006"},
        {"31/12/2030", "dernier", false, kComplet, "Jeudi 16/11/2006"},
        {"13/11/2006", "dernier", false, {}, {}},
        {"12/11/2006", "dernier", false, {}, {}},
        {"20/11/2006", "premier", false, {}, {}},
        {"21/11/2006", "premier", false, {}, {}},
        {"01/01/2000", "premier", false, kIncomplet, "Mardi 14/11/2006"},
        {"31/02/2006", "premier", false, {}, {}},
        {"", "dernier", false, {}, {}},
    };
    for (const Cas &c : cas) {
        SCOPED_TRACE(std::string(c.date) + " " + c.direction + (c.masquer ? " masquer" : ""));
        const TestFinder::TestTrouve t =
            TestFinder::cherche_test_eleve(chemin, c.date, c.direction, c.masquer, "table_2,table_3");
        EXPECT_EQ(t.enregistrements, c.enregistrements);
        EXPECT_EQ(t.date, c.jour);
        EXPECT_EQ(t.nom, "Dupont Martin");
        EXPECT_EQ(t.prenom, "Léa");
    }
}

TEST(TestFinder, NamesComeFromTheFileNameEvenWithoutAFile)
{
    const TestFinder::TestTrouve t =
        TestFinder::cherche_test_eleve("C:\\Eleves\\Ecole\\Petit_Jean-Paul.txt", "14/11/2006", "premier", false, "");
    EXPECT_EQ(t.nom, "Petit");
    EXPECT_EQ(t.prenom, "Jean-Paul");
    EXPECT_TRUE(t.enregistrements.isEmpty());
    EXPECT_TRUE(t.date.isEmpty());
}

TEST(TestFinder, DamagedHeadersAreLeftOutOfTheDays)
{
    QTemporaryDir dir;
    const QString chemin = dir.filePath("A_B.txt");
    ASSERT_TRUE(TextFile::saveLines(chemin, {
        "Séance du Mardi 1x/11/2006 de 09:00:00", "\tTEST de 09:01:00 à 09:05:00 " + kComplet,
        "Séance du Mardi 14/11/20", "\tTEST de 09:01:00 à 09:05:00 " + kComplet,
        "Séance du Mercredi 15/11/2006", "\tTEST de 09:01:00 à 09:05:00 " + kIncomplet,
    }));
    const TestFinder::TestTrouve t = TestFinder::cherche_test_eleve(chemin, "14/11/2006", "dernier", false, "");
    EXPECT_TRUE(t.enregistrements.isEmpty());
    const TestFinder::TestTrouve u = TestFinder::cherche_test_eleve(chemin, "14/11/2006", "premier", false, "");
    EXPECT_EQ(u.enregistrements, kIncomplet);
    EXPECT_EQ(u.date, "Mercredi 15/11/2006");
}

namespace {

void compareLesRecherches(const QByteArray &octets, const QStringList &cles, const QString &objectifs,
                          const std::string &quoi)
{
    for (const QString &cle : cles) {
        for (const bool enArriere : {true, false}) {
            for (const bool masquer : {false, true}) {
                SCOPED_TRACE(quoi + " " + cle.toStdString() + (enArriere ? " dernier" : " premier")
                             + (masquer ? " masquer" : ""));
                const TestFinder::TestOctets a = TestFinder::cherche_test_octets(octets, cle, enArriere, masquer, objectifs);
                const TestFinder::TestOctets b = TestSearchReference::cherche(octets, cle, enArriere, masquer, objectifs);
                ASSERT_EQ(a.enregistrements, b.enregistrements);
                EXPECT_EQ(a.cleJour, b.cleJour);
                EXPECT_EQ(a.date, b.date);
                EXPECT_EQ(a.heureFin, b.heureFin);
                EXPECT_EQ(a.libelle, b.libelle);
            }
        }
    }
}

} // namespace

// Histories as they come from the field: appended in date order, but also
// merged from two workstations, written after the clock was set back, with
// several sessions a day, damaged or cut lines, lines starting with "S" that
// are no header, and every kind of line end. Sizes vary so that headers fall
// anywhere in the blocks the search reads at once.
TEST(TestFinder, ByteSearchChoosesTheSameTestAsTheDayByDayWalk)
{
    std::mt19937 alea(20061114);
    const auto tirage = [&](int n) { return int(alea() % unsigned(n)); };
    const QStringList cles{"20050101", "20061114", "20061115", "20061120", "20061201", "20070315", "20080101", "30000101"};
    const QString complet = reponses("table_2,table_3");
    const QString incomplet = reponses("table_2");
    const QStringList jours{"Lundi", "Mardi", "Mercredi", "Jeudi", "Vendredi", "Samedi", "Dimanche"};
    for (int fichier = 0; fichier < 400; ++fichier) {
        QStringList lignes;
        QDate jour(2006, 11, 1);
        const int ordre = tirage(3);  // 0 appended in order, 1 clock set back once, 2 shuffled (merged)
        QList<QStringList> seances;
        const int nb = tirage(40);
        for (int s = 0; s < nb; ++s) {
            QStringList seance;
            if (ordre == 1 && s == nb / 2)
                jour = jour.addDays(-20);
            const QString date = jour.toString("dd/MM/yyyy");
            switch (tirage(12)) {
            case 0: seance << "Séance du Mardi 1x/11/2006 de 09:00:00"; break;            // damaged date
            case 1: seance << "Séance du " + jour.toString("dd/MM/yy"); break;              // cut date
            case 2: seance << "Séance du Lundi 31/02/2006 de 09:00:00 à 09:30:00"; break;   // no such day
            case 3: seance << "S/"; break;
            default:
                seance << entete(jours[tirage(7)], date, QStringLiteral("%1:00:00").arg(8 + tirage(9), 2, 10, QChar(u'0')));
            }
            const int activites = tirage(4);
            for (int a = 0; a < activites; ++a) {
                switch (tirage(9)) {
                case 0: seance << kApprentissage; break;
                case 1: seance << "Sans barre: TEST de 09:01:00 à 09:05:00 " + complet; break;  // an "S" line, no header
                case 2: seance << "\tTEST de 10:00"; break;                                       // cut test line
                case 3: seance << "\tTEST de 09:01:00 à 09:05:00 P02x3010006"; break;             // no whole answer
                case 4: case 5: seance << "\tTEST de 09:01:00 à 09:0" + QString::number(a) + ":00 " + incomplet; break;
                default: seance << "\tTEST de 09:01:00 à 09:1" + QString::number(a) + ":00 " + complet.left(12 * (1 + tirage(32)) + (tirage(4) == 0 ? 5 : 0));
                }
            }
            seances << seance;
            // Often the next session the same day, else a few days later.
            if (tirage(3) != 0)
                jour = jour.addDays(1 + tirage(6));
        }
        if (ordre == 2)
            std::shuffle(seances.begin(), seances.end(), alea);
        for (const QStringList &s : seances)
            lignes += s;
        const QString fin = QStringList{"\r\n", "\n", "\r"}[tirage(3)];
        QByteArray octets = TextFile::encode1252(lignes.join(fin));
        if (tirage(2) == 0)
            octets += TextFile::encode1252(fin);
        // A few lone CRs inside lines, which end them too.
        for (int k = tirage(3) == 0 ? 1 + tirage(3) : 0; k > 0 && !octets.isEmpty(); --k)
            octets[tirage(int(octets.size()))] = '\r';
        compareLesRecherches(octets, cles, "table_2,table_3", "fichier " + std::to_string(fichier));
        if (testing::Test::HasFatalFailure())
            return;
    }
}

// The benchmarks' school: long histories written in date order.
TEST(TestFinder, ByteSearchAgreesOnAGeneratedSchool)
{
    QTemporaryDir dir;
    const GeneratedSchool ecole = generateSchool(dir.path(), 12, 7, QDate(2026, 12, 10));
    ASSERT_TRUE(ecole.ok) << ecole.error.toStdString();
    const QStringList cles{"20221001", "20231115", "20250101", "20261210", "20991231"};
    for (const QString &f : ecole.fichiers) {
        QFile fichier(f);
        ASSERT_TRUE(fichier.open(QIODevice::ReadOnly));
        compareLesRecherches(fichier.readAll(), cles, "tables_classiques", f.toStdString());
    }
}
