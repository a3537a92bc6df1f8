#include "core/Catalogue.h"
#include "core/HistoryLines.h"
#include "core/TestFinder.h"
#include "core/TextFile.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

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
