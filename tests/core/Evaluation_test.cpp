#include "core/Catalogue.h"
#include "core/Evaluation.h"
#include "support/Records.h"

#include <gtest/gtest.h>

using namespace Evaluation;

namespace {

constexpr int T = 6; // acceptable time in seconds: 60 tenths

QString rec(const QString &code, int dixiemes, int reponse) { return Fixtures::record(code, dixiemes, reponse); }

QString juste(const QString &code, int dixiemes = 30)
{
    return rec(code, dixiemes, Catalogue::resultat_produit(code).toInt());
}

QString faux(const QString &code, int dixiemes = 30)
{
    return rec(code, dixiemes, 0);
}

QString tousJustes(const QString &cles, int dixiemes = 30)
{
    QString r;
    for (const QString &code : Catalogue::liste_produits_tables(cles))
        r += juste(code, dixiemes);
    return r;
}

} // namespace

TEST(Evaluation, ScoreOfAnAnswerByMultipleOfTheAcceptableTime)
{
    const struct
    {
        int dixiemes;
        int score;
    } cas[] = {
        {0, 100},  {60, 100}, {61, 50}, {120, 50}, {121, 25}, {150, 25}, {180, 25},
        {181, 12}, {240, 12}, {241, 6}, {300, 6},  {301, 3},  {360, 3},  {361, 1},   {999, 1},
    };
    for (const auto &c : cas) {
        SCOPED_TRACE(c.dixiemes);
        const QString entree = juste("0709", c.dixiemes).mid(1);
        EXPECT_EQ(score_produit(entree, T), c.score);
        EXPECT_EQ(temps_dixiemes(entree), c.dixiemes);
        EXPECT_TRUE(reponse_juste(entree));
    }
    EXPECT_EQ(score_produit(rec("0709", 10, 62).mid(1), T), 0);
    EXPECT_EQ(score_produit(faux("0709", 10).mid(1), T), 0);
    EXPECT_FALSE(reponse_juste(faux("0709").mid(1)));
    // 11×11 = 121 needs the four digits of the answer.
    EXPECT_EQ(score_produit(juste("1111", 10).mid(1), T), 100);
    // A slow answer against an absurd acceptable time: the bounds of the
    // ladder must not wrap round to negative numbers.
    EXPECT_EQ(score_produit(juste("0709", 999).mid(1), 214748365), 100);
}

TEST(Evaluation, SpeedOfAnAnswer)
{
    EXPECT_EQ(vitesse_produit(juste("0609", 30).mid(1)), 20);
    EXPECT_EQ(vitesse_produit(juste("0609", 7).mid(1)), 85);
    EXPECT_EQ(vitesse_produit(juste("0609", 0).mid(1)), 600);
    EXPECT_EQ(vitesse_produit(faux("0609", 30).mid(1)), 0);
}

TEST(Evaluation, ParsingKeepsOneEntryPerProductSortedByCode)
{
    // Wrong at first, right in the second chance: the later record replaces
    // the earlier one and is scored on its own time.
    const QString r = juste("0909", 20) + faux("0302", 15) + juste("0203", 40) + juste("0302", 130);
    EXPECT_EQ(analyse_enregistrements(r), (QStringList{"02030400006", "03021300006", "09090200081"}));
    EXPECT_EQ(score_tables(r, "table_3", T), 25 / 8);
    EXPECT_EQ(score_produit(analyse_enregistrements(r)[1], T), 25);
}

TEST(Evaluation, MalformedRecordsAreSkipped)
{
    const QString bon = juste("0609", 20);
    const struct
    {
        const char *nom;
        QString enregistrements;
        int entrees;
    } cas[] = {
        {"vide", QString(), 0},
        {"tronque", bon + bon.left(7), 1},
        {"seul tronque", bon.left(11), 0},
        {"lettre dans le temps", bon + "P0702a200014", 1},
        {"sans P", "X07020200014" + bon, 1},
        {"signe", "P0702-20-014" + bon, 1},
        {"espaces", "P0702 200014" + bon, 1},
        {"ligne de test entiere", "\tTEST de 10:00:00 à 10:01:00 " + bon, 0},
        {"accent a la place d'un chiffre", QString::fromUtf8("P07020200é14") + bon, 1},
    };
    for (const auto &c : cas) {
        SCOPED_TRACE(c.nom);
        const QStringList entrees = analyse_enregistrements(c.enregistrements);
        EXPECT_EQ(entrees.size(), c.entrees);
        for (const QString &e : entrees)
            EXPECT_EQ(e, bon.mid(1));
        score_global(c.enregistrements, T);
        score_tables(c.enregistrements, "tables_classiques", T);
        vitesse_reponses(c.enregistrements);
        listes_mal_bien(c.enregistrements, T);
    }
    EXPECT_FALSE(reponse_juste("0609"));
    EXPECT_EQ(temps_dixiemes("06"), 0);
    EXPECT_EQ(score_produit("", T), 0);
}

TEST(Evaluation, ScoresOfTablesAndOfTheWholeTest)
{
    const QString parfait = tousJustes("tables_classiques");
    // Table 8 with 8×5 wrong, everything else right in time.
    QString unFaux = parfait;
    unFaux.replace(juste("0805"), faux("0805"));
    // Two right answers at 2.5 T, the rest of table 4 unanswered.
    const QString partiel = juste("0402", 150) + juste("0403", 150);
    const struct
    {
        const char *nom;
        QString enregistrements;
        const char *cles;
        int tables;
        int global;
    } cas[] = {
        {"tout juste", parfait, "tables_classiques", 100, 100},
        {"table 8 un faux", unFaux, "table_8", 87, 98},
        {"table 8 un faux, classiques", unFaux, "tables_classiques", 98, 98},
        {"table 8 un faux, table 7", unFaux, "table_7", 100, 98},
        {"partiel sur toute la table", partiel, "table_4", 50 / 8, 25},
        {"table non testee", partiel, "table_5", -1, 25},
        {"cles inconnues", partiel, "inconnue", -1, 25},
        {"table listee deux fois: chaque code liste compte", tousJustes("table_2"), "table_2,table_2", 50, 100},
        {"rien", QString(), "table_2", -1, 0},
    };
    for (const auto &c : cas) {
        SCOPED_TRACE(c.nom);
        EXPECT_EQ(score_tables(c.enregistrements, QString::fromLatin1(c.cles), T), c.tables);
        EXPECT_EQ(score_global(c.enregistrements, T), c.global);
    }
}

TEST(Evaluation, LevelWords)
{
    const struct
    {
        int score;
        const char *mot;
    } cas[] = {
        {0, "très faible"}, {49, "très faible"}, {50, "faible"},     {69, "faible"},
        {70, "passable"},   {84, "passable"},    {85, "bien"},       {94, "bien"},
        {95, "très bien"},  {99, "très bien"},   {100, "parfait"},
    };
    for (const auto &c : cas) {
        SCOPED_TRACE(c.score);
        EXPECT_EQ(mot_niveau(c.score), QString::fromUtf8(c.mot));
    }
}

TEST(Evaluation, SpeedOfTheTestRoundsHalfToEven)
{
    const struct
    {
        const char *nom;
        QString enregistrements;
        int vitesse;
    } cas[] = {
        // 60 × right answers / total seconds.
        {"2,5 vers 2", juste("0202", 240), 2},
        {"1,5 vers 2", juste("0202", 400), 2},
        {"4,5 vers 4", juste("0202", 200) + juste("0203", 100) + juste("0204", 100), 4},
        {"0,5 vers 0", faux("0202", 600) + juste("0203", 600), 0},
        {"85,7 vers 86", juste("0202", 7), 86},
        {"faux comptes dans le temps", juste("0202", 30) + faux("0203", 30), 10},
        {"ligne de test", "\tTEST de 10:00:00 à 10:01:00 " + juste("0202", 30) + juste("0203", 30), 20},
        {"temps total nul", juste("0202", 0) + faux("0203", 0), -1},
        {"rien", QString(), -1},
    };
    for (const auto &c : cas) {
        SCOPED_TRACE(c.nom);
        EXPECT_EQ(vitesse_reponses(c.enregistrements), c.vitesse);
    }
}

TEST(Evaluation, CoverageOfTables)
{
    const QString r = tousJustes("table_2") + faux("0302");
    EXPECT_TRUE(test_couvre_tables(r, "table_2"));
    EXPECT_TRUE(test_couvre_tables(r, ""));
    EXPECT_FALSE(test_couvre_tables(r, "table_2,table_3"));
    EXPECT_FALSE(test_couvre_tables(QString(), "table_2"));
}

TEST(Evaluation, TablesRankedWeakestFirstTiesByFirstOccurrence)
{
    const QStringList etudies = Catalogue::liste_produits_tables("table_5,table_3,table_7,table_2,table_4");
    QString r = tousJustes("table_5") + tousJustes("table_2");
    for (const QString &code : Catalogue::liste_produits_tables("table_3,table_4"))
        r += code.endsWith("2") || code.endsWith("3") || code.endsWith("4") || code.endsWith("5") ? juste(code)
                                                                                                 : faux(code);
    r.replace(juste("0202"), faux("0202"));
    // Table 7 untested (-1), tables 3 and 4 tied at 50 in their order of first occurrence.
    EXPECT_EQ(classement_tables(r, etudies, T),
              (QStringList{"table_7=000", "table_3=050", "table_4=050", "table_2=087", "table_5=100"}));

    // -1 and 0 are both "000": the order of first occurrence decides.
    const QStringList deux = Catalogue::liste_produits_tables("table_9,table_6");
    QString zero;
    for (const QString &code : Catalogue::liste_produits_tables("table_6"))
        zero += faux(code);
    EXPECT_EQ(classement_tables(zero, deux, T), (QStringList{"table_9=000", "table_6=000"}));
    EXPECT_TRUE(classement_tables(zero, {}, T).isEmpty());
}

TEST(Evaluation, ProductsRankedByScoreThenCode)
{
    const QString r = juste("0302", 10) + faux("0203") + juste("0204", 150) + juste("0909", 300);
    EXPECT_EQ(classement_produits(r, {"0302", "0909", "0203", "0204", "0605"}, T),
              (QStringList{"0203=000", "0605=000", "0909=006", "0204=025", "0302=100"}));
}

TEST(Evaluation, BadAndGoodTables)
{
    QString r = tousJustes("table_2,table_4,table_5,table_8");
    for (const QString &code : Catalogue::liste_produits_tables("table_3,table_7"))
        r += faux(code);
    for (const QString &code : QStringList{"0602", "0603", "0604", "0605", "0606", "0607", "0608"})
        r += juste(code);
    r += juste("0609", 100); // 50
    r.replace(juste("0502"), faux("0502"));
    r.replace(juste("0802"), faux("0802"));
    r.replace(juste("0403"), faux("0403"));
    r.replace(juste("0404"), faux("0404"));
    r.replace(juste("0405"), faux("0405"));
    r.replace(juste("0406"), faux("0406"));
    r.replace(juste("0407"), faux("0407"));
    r.replace(juste("0408"), faux("0408"));
    r.replace(juste("0409"), faux("0409"));
    // Table 9 untested: in neither list. Tables 3 and 7 tie at 0: 3 first.
    const MalBien listes = listes_mal_bien(r, T);
    EXPECT_EQ(listes.mal, (QStringList{"00=3", "00=7", "12=4"}));
    EXPECT_EQ(listes.bien, (QStringList{"87=5", "87=8", "93=6", "aa=2"}));

    const MalBien parfait = listes_mal_bien(tousJustes("tables_classiques"), T);
    EXPECT_TRUE(parfait.mal.isEmpty());
    EXPECT_EQ(parfait.bien, (QStringList{"aa=2", "aa=3", "aa=4", "aa=5", "aa=6", "aa=7", "aa=8", "aa=9"}));
}

TEST(Evaluation, RecordsEntryAndRank)
{
    EXPECT_EQ(entree_record(98, 25, "DUPONT", "Jean"), "098025DUPONT_Jean");
    EXPECT_EQ(entree_record(100, -1, "A", "B"), "100000A_B");

    QStringList liste{"050030MARTIN_Paul", "070020bernard_Luc", "070020Bernard_Zoe", "090045DUPONT_Jeanne"};
    // A new pupil whose name is the beginning of another's is appended.
    EXPECT_EQ(maj_records(liste, 80, 25, "DUPONT", "Jean"), 2);
    EXPECT_EQ(liste, (QStringList{"050030MARTIN_Paul", "070020bernard_Luc", "070020Bernard_Zoe", "080025DUPONT_Jean",
                                  "090045DUPONT_Jeanne"}));
    // A better result replaces the pupil's line and comes last: first place.
    EXPECT_EQ(maj_records(liste, 95, 50, "MARTIN", "Paul"), 1);
    EXPECT_EQ(liste, (QStringList{"070020bernard_Luc", "070020Bernard_Zoe", "080025DUPONT_Jean", "090045DUPONT_Jeanne",
                                  "095050MARTIN_Paul"}));
    // A worse one replaces it too: the list holds the latest result.
    EXPECT_EQ(maj_records(liste, 10, 5, "MARTIN", "Paul"), 5);
    EXPECT_EQ(liste.first(), "010005MARTIN_Paul");
    EXPECT_EQ(liste.size(), 5);

    QStringList vide;
    EXPECT_EQ(maj_records(vide, 0, 0, "X", "Y"), 1);
    EXPECT_EQ(vide, QStringList{"000000X_Y"});
}

TEST(Evaluation, GridAndBarSaidInWords)
{
    // 7×3 wrong in the first pass and right in the second: the later record counts.
    const QString records = juste("0602") + faux("0703") + juste("0702", 700) + rec("0609", 30, 55) + juste("0703")
                            + faux("0702");
    EXPECT_EQ(description_grille(records, T), QStringLiteral("50 %, réponses fausses ou absentes : 6×9, 7×2"));
    EXPECT_EQ(description_grille(tousJustes("table_2"), T), QStringLiteral("100 %, aucune réponse fausse ou absente"));

    const struct { const char *score; const char *dit; } barres[] = {
        {"85", "Jeudi 10/12/2026 : 85 %, bien"},
        {"100", "Jeudi 10/12/2026 : 100 %, parfait"},
        {"-1", "Jeudi 10/12/2026 : -1"},
    };
    for (const auto &b : barres)
        EXPECT_EQ(description_barre(QStringLiteral("Jeudi 10/12/2026"), QString::fromLatin1(b.score)),
                  QString::fromUtf8(b.dit));
}

TEST(Evaluation, DamagedGroupsArePassedOverInScoreAndSpeed)
{
    // A later answer to 2×3 replaces the earlier one; a group with a stray
    // character anywhere in its eleven digits counts for nothing.
    const QString bon = juste("0203", 30);
    // signe: -1 no answer read, 0 only a wrong one, 1 the right one.
    const struct
    {
        QString enregistrements;
        int signe;
        int vitesse;
    } cas[] = {
        {bon, 1, 20},
        {faux("0203") + bon, 1, 20},
        {bon + faux("0203"), 0, 0},
        {QString(bon).replace(6, 1, u':'), -1, -1},   // ':' follows '9'
        {QString(bon).replace(11, 1, u'/'), -1, -1},  // '/' comes before '0'
        {QString(bon).replace(0, 1, u'Q'), -1, -1},
        {bon + QString(faux("0203")).replace(3, 1, u'A'), 1, 20},
    };
    for (const auto &c : cas) {
        SCOPED_TRACE(c.enregistrements.toStdString());
        const ScoreVitesse sv = score_et_vitesse(c.enregistrements, QStringLiteral("table_2"), T);
        EXPECT_EQ(sv.vitesse, c.vitesse);
        EXPECT_EQ((sv.score > 0) - (sv.score < 0), c.signe);
    }
}
