#include "core/TestReportData.h"
#include "support/Records.h"

#include <gtest/gtest.h>

namespace {

constexpr int kT = 3;   // acceptable time: 3 s, so 30 tenths still score 100

QString record(int a, int b, char sorte) { return Fixtures::recordSorte(a, b, sorte, 150); }

QString table(int a, const char *motif) { return Fixtures::tableSorte(a, motif, 150); }

QString texte(const LigneTexte &ligne)
{
    QString s;
    for (const Fragment &f : ligne)
        s += f.texte;
    return s;
}

// Scores: 2: 100, 3: 50, 4: 90, 5: 100, 6: 93, 7: 75, 8: 0, 9: 87.
QString testMelange()
{
    return table(2, "WWWWWWWW") + table(3, "WWWWXXXX") + table(4, "WWWWWWWS") + table(5, "WWWWWWWW")
           + table(6, "WWWWWWWG") + table(7, "WWWWWWXX") + table(8, "XXXXXXXX") + table(9, "WWWWWWWX");
}

TestReportData rapport(const QString &enregistrements, const QString &classe = QString())
{
    return TestReportData::calcule(QStringLiteral("Dupont"), QStringLiteral("Léa"), classe, enregistrements,
                                   QStringLiteral("Mardi 14/11/2006"), QStringLiteral("École des Tilleuls"), kT);
}

} // namespace

TEST(TestReportData, ListsAreInReportOrderAndAdviceNamesTheWeakestTable)
{
    const TestReportData d = rapport(testMelange(), QStringLiteral("CM1"));
    EXPECT_EQ(d.mal, (QStringList{"00=8", "50=3", "75=7"}));
    EXPECT_EQ(d.bien, (QStringList{"aa=5", "aa=2", "93=6", "90=4", "87=9"}));
    EXPECT_EQ(texte(d.ligneClassement(true)), QStringLiteral("tables mal sues: 8, 3, et 7."));
    EXPECT_EQ(texte(d.ligneClassement(false)), QStringLiteral("tables bien sues: 5, 2, 6, 4, et 9."));
    const LigneTexte mal = d.ligneClassement(true);
    EXPECT_TRUE(mal[1].gras);
    EXPECT_TRUE(mal[3].gras);
    EXPECT_FALSE(mal[0].gras);

    ASSERT_TRUE(d.afficheConseil());
    const LigneTexte conseil = d.ligneConseil();
    EXPECT_EQ(texte(conseil), QStringLiteral("Conseil: Léa devrait commencer par apprendre la table de 8"));
    EXPECT_TRUE(conseil.last().gras);

    EXPECT_EQ(d.comptes.blanches, 47);
    EXPECT_EQ(d.comptes.grises, 2);
    EXPECT_EQ(d.comptes.noires, 15);
    EXPECT_EQ(d.scoreGlobal, 4775 / 64);
    EXPECT_TRUE(d.toutesTablesTestees());
    EXPECT_EQ(texte(d.ligneNiveau()), QStringLiteral("Niveau de connaissance des tables:  74%"));
    EXPECT_EQ(d.motNiveauBilan(), QStringLiteral("passable."));
    EXPECT_TRUE(d.ligneSousBilan(false).startsWith(QStringLiteral("moins de 50%: très faible;")));
    EXPECT_EQ(d.ligneSousBilan(true), d.ligneSousBilan(false));

    EXPECT_EQ(d.ligneNom(), QStringLiteral("DUPONT Léa"));
    EXPECT_TRUE(d.afficheClasse());
    EXPECT_EQ(d.ligneClasse(), QStringLiteral("Classe de CM1"));
    EXPECT_EQ(d.ligneDate(), QStringLiteral("Test du Mardi 14/11/2006:"));
    const int attendus[8] = {100, 50, 90, 100, 93, 75, 0, 87};
    for (int k = 0; k < 8; ++k)
        EXPECT_EQ(d.scoresTables[k], attendus[k]) << "table " << k + 2;
}

TEST(TestReportData, SummaryLinesAgreeWithTheirCount)
{
    // One right and fast answer among wrong or missing ones.
    TestReportData d = rapport(record(2, 2, 'W') + record(2, 3, 'X') + record(2, 4, 'N'));
    EXPECT_EQ(texte(d.ligneResume(ClasseCase::Blanche)),
              QStringLiteral("1 seule réponse juste et suffisamment rapide: case blanche"));
    EXPECT_EQ(texte(d.ligneResume(ClasseCase::Grise)),
              QStringLiteral("0 réponses justes mais trop lentes: cases grises"));
    EXPECT_EQ(texte(d.ligneResume(ClasseCase::Noire)),
              QStringLiteral("2 réponses fausses ou absentes: cases noires"));
    EXPECT_TRUE(d.ligneResume(ClasseCase::Noire).first().gras);

    d = rapport(record(2, 2, 'G') + record(2, 3, 'X') + record(2, 4, 'W') + record(2, 5, 'W'));
    EXPECT_EQ(texte(d.ligneResume(ClasseCase::Grise)), QStringLiteral("1 seule réponse juste mais trop lente: case grise"));
    EXPECT_EQ(texte(d.ligneResume(ClasseCase::Noire)), QStringLiteral("1 seule réponse fausse ou absente: case noire"));
    EXPECT_EQ(texte(d.ligneResume(ClasseCase::Blanche)),
              QStringLiteral("2 réponses justes et suffisamment rapides: cases blanches"));
}

TEST(TestReportData, NothingKnownBadlyGivesNoneAndNoAdvice)
{
    QString tout;
    for (int a = 2; a <= 9; ++a)
        tout += table(a, "WWWWWWWW");
    const TestReportData d = rapport(tout);
    EXPECT_TRUE(d.mal.isEmpty());
    const LigneTexte mal = d.ligneClassement(true);
    EXPECT_EQ(texte(mal), QStringLiteral("tables mal sues: (aucune)"));
    EXPECT_TRUE(mal.last().italique);
    EXPECT_FALSE(mal.last().gras);
    EXPECT_FALSE(d.afficheConseil());
    EXPECT_TRUE(d.ligneConseil().isEmpty());
    EXPECT_EQ(texte(d.ligneClassement(false)), QStringLiteral("tables bien sues: 9, 8, 7, 6, 5, 4, 3, et 2."));
    EXPECT_EQ(d.motNiveauBilan(), QStringLiteral("parfait."));
    EXPECT_FALSE(d.afficheClasse());
}

TEST(TestReportData, OnlyTwoTablesTestedGivesTheShareOfAllTables)
{
    const TestReportData d = rapport(table(2, "WWWWWWWW") + table(3, "WWWWWWWX"));
    EXPECT_FALSE(d.toutesTablesTestees());
    EXPECT_EQ(texte(d.ligneNiveau()), QStringLiteral("Niveau de connaissance des tables testées:  93%"));
    EXPECT_TRUE(d.motNiveauBilan().isEmpty());
    // (800 + 700) / 64 products of the classic tables.
    EXPECT_EQ(d.ligneSousBilan(false), QStringLiteral("soit 23% de toutes les tables."));
    EXPECT_EQ(d.ligneSousBilan(true), QStringLiteral("c'est à dire 23% de toutes les tables"));
    EXPECT_EQ(d.bien, (QStringList{"aa=2", "87=3"}));
    EXPECT_EQ(texte(d.ligneClassement(false)), QStringLiteral("tables bien sues: 2, et 3."));
    EXPECT_EQ(d.scoresTables[5], -1);
    EXPECT_TRUE(TestReportData::texteScoreColonne(d.scoresTables[5]).isEmpty());
}

TEST(TestReportData, OneTableBadlyKnownIsSingular)
{
    const TestReportData d = rapport(table(6, "XXXXXXXW"));
    EXPECT_EQ(texte(d.ligneClassement(true)), QStringLiteral("table mal sue: 6"));
    EXPECT_EQ(texte(d.ligneClassement(false)), QStringLiteral("tables bien sues: (aucune)"));
    EXPECT_EQ(texte(d.ligneConseil()), QStringLiteral("Conseil: Léa devrait commencer par apprendre la table de 6"));
}

TEST(TestReportData, CellsShowAnswerTimeAndClass)
{
    const TestReportData d = rapport(record(6, 9, 'W') + record(7, 9, 'N') + record(7, 8, 'G') + record(8, 8, 'X'));
    ASSERT_EQ(d.cases.size(), 4);
    const CaseTest &six = d.cases[0];
    EXPECT_EQ(six.code, QStringLiteral("0609"));
    EXPECT_EQ(six.classe, ClasseCase::Blanche);
    EXPECT_EQ(TestReportData::texteProduit(six, 9), QStringLiteral("6×9........."));
    EXPECT_EQ(TestReportData::texteReponse(six), QStringLiteral("54"));
    EXPECT_EQ(TestReportData::texteTempsCase(six), QStringLiteral("1,6s"));
    const CaseTest &lente = d.cases[1];
    EXPECT_EQ(lente.code, QStringLiteral("0708"));
    EXPECT_EQ(lente.classe, ClasseCase::Grise);
    const CaseTest &absente = d.cases[2];
    EXPECT_EQ(absente.classe, ClasseCase::Noire);
    EXPECT_EQ(TestReportData::texteReponse(absente), QStringLiteral("?"));
    EXPECT_EQ(TestReportData::texteTempsCase(absente), QStringLiteral("(ne sait pas)"));
    EXPECT_EQ(d.cases[3].classe, ClasseCase::Noire);
    EXPECT_EQ(TestReportData::texteReponse(d.cases[3]), QStringLiteral("65"));
}

TEST(TestReportData, WholeTestLineGivesTheSameReportAsItsRecords)
{
    const QString records = testMelange();
    const QString ligne = QStringLiteral("\tTEST de 10:00:00 à 10:05:00 ") + records;
    ASSERT_EQ(ligne.indexOf(QLatin1Char('P')), 29);
    const TestReportData a = rapport(records);
    const TestReportData b = rapport(ligne);
    EXPECT_EQ(b.enregistrements, records);
    EXPECT_EQ(a.mal, b.mal);
    EXPECT_EQ(a.bien, b.bien);
    EXPECT_EQ(a.vitesse, b.vitesse);
}

TEST(TestReportData, EmptyRecordsGiveAnEmptyButSoundReport)
{
    const TestReportData d = rapport(QString());
    EXPECT_TRUE(d.cases.isEmpty());
    EXPECT_EQ(d.scoreGlobal, 0);
    EXPECT_EQ(d.ligneSousBilan(false), QStringLiteral("soit 0% de toutes les tables."));
    EXPECT_EQ(TestReportData::texte_vitesse(-1), QStringLiteral("?"));
}

TEST(TestReportData, TimeTexts)
{
    const struct { int dixiemes; const char *rapport; const char *grille; } cas[] = {
        {16, "1,6s", "1.6s"}, {20, "2s", "2s"}, {0, "0s", "0s"}, {5, "0,5s", "0.5s"}, {150, "15s", "15s"}, {999, "99,9s", "99.9s"},
    };
    for (const auto &c : cas) {
        SCOPED_TRACE(c.dixiemes);
        EXPECT_EQ(TestReportData::temps_rapport(c.dixiemes), QString::fromUtf8(c.rapport));
        EXPECT_EQ(TestReportData::temps_grille(c.dixiemes), QString::fromUtf8(c.grille));
    }
}

TEST(TestReportData, ShortLevelWordsAndCellClassesAtTheirBounds)
{
    const struct { int score; const char *mot; } cas[] = {
        {-1, ""}, {0, "T.faible"}, {49, "T.faible"}, {50, "faible"}, {69, "faible"}, {70, "passable"},
        {84, "passable"}, {85, "bien"}, {94, "bien"}, {95, "T.bien"}, {99, "T.bien"}, {100, "parfait"},
    };
    for (const auto &c : cas)
        EXPECT_EQ(TestReportData::mot_niveau_court(c.score), QString::fromUtf8(c.mot)) << c.score;
    EXPECT_EQ(TestReportData::classe_case(100), ClasseCase::Blanche);
    EXPECT_EQ(TestReportData::classe_case(99), ClasseCase::Grise);
    EXPECT_EQ(TestReportData::classe_case(1), ClasseCase::Grise);
    EXPECT_EQ(TestReportData::classe_case(0), ClasseCase::Noire);
}

TEST(TestReportData, TableNumbersJoinedAsTheReportWritesThem)
{
    EXPECT_EQ(TestReportData::joint_tables_rapport({}), QString());
    EXPECT_EQ(TestReportData::joint_tables_rapport({"07=7"}), QStringLiteral("7"));
    EXPECT_EQ(TestReportData::joint_tables_rapport({"00=8", "50=3"}), QStringLiteral("8, et 3."));
    EXPECT_EQ(TestReportData::joint_tables_rapport({"00=8", "50=3", "75=7"}), QStringLiteral("8, 3, et 7."));
}

TEST(TestReportData, LargeGridPlacesEveryCatalogueProductOnce)
{
    int colonne = -1;
    int rangee = -1;
    const struct { int a, b; bool classique; int colonne, rangee; } cas[] = {
        {2, 2, true, 0, 0}, {9, 3, true, 7, 1}, {11, 11, false, 0, 0}, {19, 19, false, 0, 8},
        {2, 12, false, 1, 0}, {11, 12, false, 1, 8}, {9, 13, false, 2, 7}, {12, 13, false, 2, 9},
        {11, 19, false, 8, 8}, {18, 19, false, 8, 15},
    };
    for (const auto &c : cas) {
        SCOPED_TRACE(QStringLiteral("%1x%2").arg(c.a).arg(c.b).toStdString());
        ASSERT_TRUE(TestReportData::place_case(c.a, c.b, c.classique, &colonne, &rangee));
        EXPECT_EQ(colonne, c.colonne);
        EXPECT_EQ(rangee, c.rangee);
        EXPECT_LT(rangee, TestReportData::rangees_colonne(colonne, c.classique));
    }
    EXPECT_FALSE(TestReportData::place_case(12, 2, false, nullptr, nullptr));
    EXPECT_FALSE(TestReportData::place_case(12, 12, true, nullptr, nullptr));
    EXPECT_FALSE(TestReportData::place_case(10, 12, false, nullptr, nullptr));
    EXPECT_FALSE(TestReportData::place_case(2, 10, true, nullptr, nullptr));
    EXPECT_EQ(TestReportData::rangees_colonne(0, false), 9);
    EXPECT_EQ(TestReportData::rangees_colonne(1, false), 9);
    EXPECT_EQ(TestReportData::rangees_colonne(8, false), 16);
    EXPECT_EQ(TestReportData::cle_colonne(0, false), QStringLiteral("table_carres"));
    EXPECT_EQ(TestReportData::cle_colonne(8, false), QStringLiteral("table_19"));
    EXPECT_EQ(TestReportData::cle_colonne(0, true), QStringLiteral("table_2"));
    EXPECT_TRUE(TestReportData::est_classique(QStringLiteral("P0609")));
    EXPECT_FALSE(TestReportData::est_classique(QStringLiteral("P0212")));
    EXPECT_FALSE(TestReportData::est_classique(QStringLiteral("P1313")));
}

TEST(TestReportData, WrongAnswersCountOnlyAsRed)
{
    const QList<CaseTest> cases = TestReportData::cases_test(record(2, 2, 'X') + record(2, 3, 'G') + record(2, 4, 'S'), kT);
    const ComptesCases c = TestReportData::compte_cases(cases);
    EXPECT_EQ(c.blanches, 0);
    EXPECT_EQ(c.grises, 2);
    EXPECT_EQ(c.noires, 1);
}

TEST(TestReportData, ChartScaleStep)
{
    const struct { int maximum; int pas; int graduations; } cas[] = {
        {150, 10, 16}, {37, 5, 8}, {600, 100, 7}, {9, 1, 10}, {1, 1, 2}, {20, 5, 5}, {1000, 100, 11}, {3, 1, 4},
    };
    for (const auto &c : cas) {
        SCOPED_TRACE(c.maximum);
        const int pas = TestReportData::pas_echelle(c.maximum);
        EXPECT_EQ(pas, c.pas);
        EXPECT_EQ(c.maximum / pas + 1, c.graduations);
    }
    EXPECT_EQ(TestReportData::pas_echelle(0), 0);
    EXPECT_EQ(TestReportData::pas_echelle(-5), 0);
}

TEST(TestReportData, ChartTextIsReadOrRefused)
{
    DonneesHistogramme d;
    QString erreur;
    ASSERT_TRUE(TestReportData::analyse_histogramme(QStringLiteral("Titre\t20\tlégende\tCM1\t12\tCM2\t7\t"), &d, &erreur));
    EXPECT_EQ(d.titre, QStringLiteral("Titre"));
    EXPECT_EQ(d.maximum, 20);
    EXPECT_EQ(d.legende, QStringLiteral("légende"));
    ASSERT_EQ(d.barres.size(), 2);
    EXPECT_EQ(d.barres[1].first, QStringLiteral("CM2"));
    EXPECT_EQ(d.barres[1].second, 7);
    ASSERT_TRUE(TestReportData::analyse_histogramme(QStringLiteral("T\t5\tc\ta\t1"), &d, &erreur));
    EXPECT_EQ(d.barres.size(), 1);

    for (const char *mauvais : {"T\t0\tc\ta\t1", "T\t-3\tc", "T\tdix\tc", "T\t10", "T\t10\tc\ta", "T\t10\tc\ta\tb"}) {
        SCOPED_TRACE(mauvais);
        erreur.clear();
        EXPECT_FALSE(TestReportData::analyse_histogramme(QString::fromUtf8(mauvais), &d, &erreur));
        EXPECT_FALSE(erreur.isEmpty());
    }
}
