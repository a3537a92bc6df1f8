#include "core/Catalogue.h"
#include "core/Evaluation.h"
#include "core/RecordsList.h"
#include "core/SessionState.h"
#include "core/TestConclusion.h"
#include "core/TextFile.h"
#include "support/Records.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QTemporaryDir>

#include <algorithm>

namespace {

const QString kClassiques = "table_2,table_3,table_4,table_5,table_6,table_7,table_8,table_9";
const QDate kSamedi(2026, 12, 5);

QString rec(const QString &code, int dixiemes, int reponse) { return Fixtures::record(code, dixiemes, reponse); }

// Every product of the keys answered right in 3 s, except the codes given, answered 0.
QString test(const QString &cles, const QStringList &faux = {}, int dixiemes = 30)
{
    QString r;
    for (const QString &code : Catalogue::liste_produits_tables(cles))
        r += rec(code, dixiemes, faux.contains(code) ? 0 : Catalogue::resultat_produit(code).toInt());
    return r;
}

QString ligne(const QString &enregistrements)
{
    return "\tTEST de 10:00:00 à 10:05:00 " + enregistrements;
}

class TestConclusionTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_dir.isValid());
        s.temps_acceptable = 6;
        s.objectifs = kClassiques;
        s.produits_etudies = Catalogue::liste_produits_tables(kClassiques);
        s.dossier_stats_local = m_dir.path();
        s.eleve.nom = "Martin";
        s.eleve.prenom = "Léa";
    }

    VerdictTest conclut(const QString &enregistrements, bool complet = true, const QDate &jour = kSamedi)
    {
        return TestConclusion::fin_du_test(s, enregistrements, ligne(enregistrements), complet, jour);
    }

    void ecritRecords(const QStringList &lignes)
    {
        ASSERT_TRUE(TextFile::saveLines(RecordsList::cheminLocal(s), lignes));
    }

    QTemporaryDir m_dir;
    SessionState s;
};

} // namespace

TEST(TestConclusionTexts, TablesAreJoinedAsFrenchWritesAList)
{
    EXPECT_EQ(TestConclusion::joint_tables({}), "");
    EXPECT_EQ(TestConclusion::joint_tables({"7"}), "7");
    EXPECT_EQ(TestConclusion::joint_tables({"7", "8"}), "7 et 8.");
    EXPECT_EQ(TestConclusion::joint_tables({"3", "7", "8"}), "3, 7 et 8.");
    EXPECT_EQ(TestConclusion::largeur_pourcent(9), 77);
    EXPECT_EQ(TestConclusion::largeur_pourcent(10), 101);
    EXPECT_EQ(TestConclusion::largeur_pourcent(99), 101);
    EXPECT_EQ(TestConclusion::largeur_pourcent(100), 125);
}

TEST_F(TestConclusionTest, AllRightIsPerfectWithOnlyTheWellKnownTables)
{
    const QString r = test(kClassiques);
    const VerdictTest v = conclut(r);
    EXPECT_TRUE(v.classique);
    EXPECT_EQ(v.scoreGlobal, 100);
    EXPECT_EQ(v.niveau, "parfait");
    EXPECT_EQ(v.pourcent, "100%");
    EXPECT_EQ(v.largeurPourcent, 125);
    EXPECT_TRUE(v.tablesMal.isEmpty());
    EXPECT_TRUE(v.conseil.isEmpty());
    EXPECT_EQ(v.articleBien, "les tables de ");
    EXPECT_EQ(v.texteBien, "2, 3, 4, 5, 6, 7, 8 et 9.");
    EXPECT_EQ(v.tuSais, "Tu sais tes tables à");
    EXPECT_TRUE(v.label11.isEmpty());
    EXPECT_EQ(v.texteVitesse, "20");

    // The hand-over of a first test of the day.
    EXPECT_TRUE(s.eleve.test_fait_aujourdhui);
    EXPECT_EQ(s.eleve.lignes_seance, QStringList{ligne(r)});
    EXPECT_EQ(s.eleve.dernier_test, r);
    ASSERT_EQ(s.eleve.graphique.size(), 1);
    EXPECT_EQ(s.eleve.graphique[0].jour, "Samedi 05/12/2026");
    EXPECT_EQ(s.eleve.graphique[0].score, "100");
    EXPECT_EQ(s.eleve.graphique[0].ligneTest, ligne(r));
    EXPECT_EQ(s.classement_tables.size(), 8);
    EXPECT_FALSE(s.objectif_apprentissage.mode_tables);

    // The records file holds the pupil's line; one line is no record to beat.
    EXPECT_TRUE(v.recordsMisAJour);
    EXPECT_EQ(TextFile::loadLines(RecordsList::cheminLocal(s)), QStringList{"100020Martin_Léa"});
    EXPECT_EQ(v.rangRecord, 1);
    EXPECT_FALSE(v.recordBattu);
}

TEST_F(TestConclusionTest, OneWrongInTableEightIsStillKnownWell)
{
    const VerdictTest v = conclut(test(kClassiques, {"0806"}));
    EXPECT_EQ(v.scoreGlobal, 98);
    EXPECT_EQ(v.niveau, "très bien");
    EXPECT_EQ(v.pourcent, "98%");
    EXPECT_EQ(v.largeurPourcent, 101);
    EXPECT_TRUE(v.tablesMal.isEmpty());
    // The weakest well-known table comes first, the perfect ones after it.
    EXPECT_EQ(v.tablesBien, QStringList({"8", "2", "3", "4", "5", "6", "7", "9"}));
    EXPECT_EQ(v.texteBien, "8, 2, 3, 4, 5, 6, 7 et 9.");
    EXPECT_EQ(Evaluation::score_tables(test(kClassiques, {"0806"}), "table_8", 6), 87);
}

TEST_F(TestConclusionTest, WeakTablesGiveTheAdviceAndTiesGoToTheLowerTable)
{
    // Table 7 fails first in the records; tables 3 and 7 score 75 each, table 9 scores 50.
    const VerdictTest v = conclut(test(kClassiques, {"0702", "0703", "0302", "0303", "0902", "0903", "0904", "0905"}));
    EXPECT_EQ(v.tablesMal, QStringList({"9", "3", "7"}));
    EXPECT_EQ(v.texteMal, "9, 3 et 7.");
    EXPECT_EQ(v.articleMal, "les tables de ");
    EXPECT_EQ(v.conseil, "Conseil: commence par réviser la table de 9.");

    SessionState autre = s;
    autre.eleve.graphique.clear();
    const VerdictTest egalite = TestConclusion::fin_du_test(
        autre, test(kClassiques, {"0702", "0703", "0302", "0303"}), "", true, kSamedi);
    EXPECT_EQ(egalite.tablesMal, QStringList({"3", "7"}));
    EXPECT_EQ(egalite.articleMal, "les tables de ");
    EXPECT_EQ(egalite.conseil, "Conseil: commence par réviser la table de 3.");
    EXPECT_TRUE(autre.objectif_apprentissage.mode_tables);
    EXPECT_EQ(autre.objectif_apprentissage.nb_produits, 8);
    EXPECT_TRUE(autre.classement_tables.first().startsWith("table_3="));

    const VerdictTest une = TestConclusion::fin_du_test(autre, test(kClassiques, {"0402"}, 30), "", true, kSamedi);
    EXPECT_TRUE(une.tablesMal.isEmpty());
}

TEST_F(TestConclusionTest, SecondTestOfTheDayAddsNoGraphPointAndKeepsTheAdvice)
{
    const QString premier = test(kClassiques, {"0702", "0703"});
    conclut(premier);
    const QStringList memoriser = s.produits_a_memoriser;
    ASSERT_FALSE(memoriser.isEmpty());

    const QString second = test(kClassiques);
    const VerdictTest v = conclut(second);
    EXPECT_FALSE(v.premierTestDuJour);
    EXPECT_FALSE(v.nouveauPointGraphique);
    EXPECT_EQ(s.eleve.graphique.size(), 1);
    EXPECT_EQ(s.eleve.dernier_test, premier);
    EXPECT_EQ(s.produits_a_memoriser, memoriser);
    // The verdict, the session line and the records still follow the new test.
    EXPECT_EQ(v.niveau, "parfait");
    EXPECT_EQ(s.eleve.lignes_seance.size(), 2);
    EXPECT_EQ(TextFile::loadLines(RecordsList::cheminLocal(s)), QStringList{"100020Martin_Léa"});

    // The next day is a new first test.
    const VerdictTest lendemain = conclut(second, true, kSamedi.addDays(1));
    EXPECT_TRUE(lendemain.nouveauPointGraphique);
    ASSERT_EQ(s.eleve.graphique.size(), 2);
    EXPECT_EQ(s.eleve.graphique[1].jour, "Dimanche 06/12/2026");
}

TEST_F(TestConclusionTest, RecordIsBeatenOnlyByTheFirstShownLineAmongMoreThanThirty)
{
    QStringList autres;
    for (int i = 0; i < 30; ++i)
        autres << QString("090015Eleve%1_Prenom").arg(i, 2, 10, QChar('0'));

    const struct
    {
        const char *nom;
        QStringList liste;
        QStringList faux;
        bool battu;
        int rang;
    } cas[] = {
        {"thirty others, perfect", autres, {}, true, 1},
        {"twenty-nine others", autres.mid(1), {}, false, 1},
        {"a better line exists", autres + QStringList{"100030Petit_Paul"}, {}, false, 2},
        {"level only bien", autres.mid(0, 25) + QStringList{"050010A_B", "050010C_D", "050010E_F", "050010G_H",
                                                            "050010I_J", "050010K_L"},
         {"0702", "0703", "0704", "0705"}, false, 1},
        {"pupil's old line replaced", autres + QStringList{"070012Martin_Léa"}, {}, true, 1},
    };
    for (const auto &c : cas) {
        SCOPED_TRACE(c.nom);
        ecritRecords(c.liste);
        s.eleve.graphique.clear();
        const VerdictTest v = conclut(test(kClassiques, c.faux));
        ASSERT_TRUE(v.recordsMisAJour) << v.erreurRecords.toStdString();
        EXPECT_EQ(v.rangRecord, c.rang);
        EXPECT_EQ(v.recordBattu, c.battu);
        EXPECT_EQ(s.liste_records, TextFile::loadLines(RecordsList::cheminLocal(s)));
        EXPECT_EQ(std::count_if(s.liste_records.begin(), s.liste_records.end(),
                                [](const QString &l) { return l.endsWith("Martin_Léa"); }),
                  1);
    }
    // The replaced line: still 31 lines, so the 30 others plus the pupil, and it ranks first.
    EXPECT_EQ(s.liste_records.size(), 31);
    EXPECT_EQ(s.liste_records.last(), "100020Martin_Léa");
}

TEST_F(TestConclusionTest, PartialAndExtendedTestsGiveNoRecords)
{
    const VerdictTest partiel = conclut(test("table_7,table_8", {"0702", "0703", "0704", "0705"}), false);
    EXPECT_TRUE(partiel.classique);
    EXPECT_EQ(partiel.tuSais, "Tu sais les tables testées à");
    // 12 right products of the 64 classic ones.
    EXPECT_EQ(partiel.label11, "c'est à dire 18% de toutes les tables.");
    EXPECT_EQ(partiel.texteMal, "7");
    EXPECT_EQ(partiel.articleMal, "la table de ");
    EXPECT_EQ(partiel.texteBien, "8");
    EXPECT_EQ(partiel.articleBien, "la table de ");
    EXPECT_FALSE(partiel.recordsMisAJour);
    EXPECT_FALSE(QFile::exists(RecordsList::cheminLocal(s)));

    s.eleve.graphique.clear();
    s.eleve.lignes_seance.clear();
    s.objectifs = "table_carres,table_12";
    s.produits_etudies = Catalogue::liste_produits_tables(s.objectifs);
    const QString etendu = test("table_carres,table_12");
    const VerdictTest v = conclut(etendu, false);
    EXPECT_FALSE(v.classique);
    EXPECT_TRUE(v.niveau.isEmpty());
    EXPECT_TRUE(v.premierTestDuJour);
    EXPECT_FALSE(v.nouveauPointGraphique);
    EXPECT_TRUE(s.eleve.graphique.isEmpty());
    EXPECT_EQ(s.eleve.lignes_seance, QStringList{ligne(etendu)});
    EXPECT_EQ(s.eleve.dernier_test, etendu);
    EXPECT_FALSE(QFile::exists(RecordsList::cheminLocal(s)));
}

TEST_F(TestConclusionTest, SpeedThatCannotBeComputedIsShownAsADashAndStoredAsZero)
{
    const VerdictTest v = conclut(test(kClassiques, {}, 0));
    EXPECT_EQ(v.vitesse, -1);
    EXPECT_EQ(v.texteVitesse, "-");
    EXPECT_EQ(TextFile::loadLines(RecordsList::cheminLocal(s)), QStringList{"100000Martin_Léa"});
}

TEST_F(TestConclusionTest, RecordsThatCannotBeSavedAreReportedNotClaimed)
{
    // The statistics folder is a plain file: nothing can be written under it.
    const QString fichier = QDir(m_dir.path()).filePath("pas_un_dossier");
    ASSERT_TRUE(TextFile::saveLines(fichier, {"x"}));
    s.dossier_stats_local = fichier;
    const VerdictTest v = conclut(test(kClassiques));
    EXPECT_FALSE(v.recordsMisAJour);
    EXPECT_FALSE(v.recordBattu);
    EXPECT_FALSE(v.erreurRecords.isEmpty());
    // The rest of the hand-over is not lost with it.
    EXPECT_EQ(s.eleve.lignes_seance.size(), 1);
    EXPECT_EQ(s.eleve.graphique.size(), 1);
}
