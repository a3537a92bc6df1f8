#include "core/LearningPlan.h"
#include "core/SelectionButtons.h"
#include "core/SessionState.h"

#include <gtest/gtest.h>

using namespace LearningPlan;

namespace {

QString texte(const QList<int> &l)
{
    QStringList s;
    for (int v : l)
        s << QString::number(v);
    return s.join(QLatin1Char(','));
}

} // namespace

TEST(LearningPlan, BlocksFollowEveryRowOfTheCuttingTable)
{
    struct Cas { int n; int taille; QString fins; };
    const Cas cas[] = {
        {1, 2, "0"},          {6, 2, "1,3,5"},       {7, 2, "2,4,6"},        {3, 2, "2"},
        {2, 3, "1"},          {1, 3, "0"},           {9, 3, "2,5,8"},        {7, 3, "3,6"},
        {10, 3, "3,6,9"},     {8, 3, "2,5,7"},       {5, 3, "2,4"},          {3, 3, "2"},
        {3, 4, "2"},          {8, 4, "3,7"},         {9, 4, "4,8"},          {10, 4, "3,6,9"},
        {6, 4, "2,5"},        {14, 4, "3,7,10,13"},  {11, 4, "3,7,10"},      {7, 4, "3,6"},
        {109, 3, ""},         {8, 1, ""},            {8, 5, ""},             {0, 3, ""},
    };
    for (const Cas &c : cas) {
        SCOPED_TRACE(testing::Message() << c.n << " items, blocks of " << c.taille);
        const QList<int> fins = decoupage_en_blocs(c.n, c.taille);
        if (c.n == 109) {
            // 109 = 3·36 + 1: a first block of 4, then 35 of 3.
            ASSERT_EQ(fins.size(), 36);
            EXPECT_EQ(fins.first(), 3);
            EXPECT_EQ(fins.last(), 108);
            continue;
        }
        EXPECT_EQ(texte(fins), c.fins);
    }
}

TEST(LearningPlan, PlansFromTheFormulaMatchTheWorkedExamples)
{
    struct Cas { QString formule; int blocs; QString plan; };
    const Cas cas[] = {
        {"1.1.1.3", 1, "1"},
        {"1.1.1.3", 2, "1,1,2"},
        {"1.1.1.3", 3, "1,1,1,3"},
        {"1.1.1.3", 4, "1,1,1,3,1,4"},
        {"1.1.1.3", 9, "1,1,1,3,1,1,1,3,1,1,1,3,9"},
        {"1.1.2.1.3", 3, "1,1,2,1,3"},
        {"1.1.2.1.3", 2, "1,1,2"},
        {"1.1.2.1.1.4", 4, "1,1,2,1,1,4"},
    };
    for (const Cas &c : cas) {
        SCOPED_TRACE(testing::Message() << c.formule.toStdString() << " N=" << c.blocs);
        EXPECT_EQ(texte(genere_plan_apprentissage_recursif(c.formule, c.blocs)), c.plan);
    }
}

TEST(LearningPlan, UnsupportedFormulasGiveNoPlanInsteadOfHanging)
{
    // A last number of 1 would never end the power search; 0 would divide by zero.
    const char *refusees[] = {"1.1.1", "1.1.0", "", "a.b", "1..3", "1.-1.3", "3.1.3", "1.4.1.3", "2",
                              "1.1.1.1.1.1.1.1.1.1.1.1.1.1.2"};
    for (const char *f : refusees) {
        SCOPED_TRACE(f);
        EXPECT_TRUE(genere_plan_apprentissage_recursif(QString::fromUtf8(f), 20).isEmpty());
        EXPECT_FALSE(formule_valide(QString::fromUtf8(f)));
    }
    // The start takes the default formula without checking it.
    for (const QString &f : {kFormuleParDefaut, QStringLiteral("1.1.2.1.3"), QStringLiteral("1.1.2.1.1.4")}) {
        SCOPED_TRACE(f.toStdString());
        EXPECT_TRUE(formule_valide(f));
    }
    EXPECT_TRUE(taille_bloc_valide(2) && taille_bloc_valide(4));
    EXPECT_FALSE(taille_bloc_valide(1) || taille_bloc_valide(5) || taille_bloc_valide(-1));
}

TEST(LearningPlan, RangesOfEveryStepOfAFourBlockPlan)
{
    // Blocks of 3 over 12 items; plan 1,1,1,3,1,4.
    const QList<int> fins = decoupage_en_blocs(12, 3);
    const QList<int> plan = genere_plan_apprentissage_recursif(QStringLiteral("1.1.1.3"), int(fins.size()));
    const QList<QPair<int, int>> attendues = {{0, 2}, {3, 5}, {6, 8}, {0, 8}, {9, 11}, {0, 11}};
    ASSERT_EQ(plan.size(), attendues.size());
    int dernierBloc = -1;
    for (qsizetype e = 0; e < plan.size(); ++e) {
        SCOPED_TRACE(e);
        Etendue etendue;
        ASSERT_TRUE(etendue_etape(plan[e], fins, dernierBloc, etendue));
        EXPECT_EQ(etendue.premier, attendues[e].first);
        EXPECT_EQ(etendue.dernier, attendues[e].second);
    }
    Etendue au_dela;
    EXPECT_FALSE(etendue_etape(1, fins, dernierBloc, au_dela));
    int aucun = -1;
    EXPECT_FALSE(etendue_etape(2, fins, aucun, au_dela));
}

TEST(LearningPlan, OrderingsByValueAndByTables)
{
    QStringList valeur = {"0402", "0302", "0203", "0909", "0212"};
    rangement_items(valeur, QStringLiteral("valeur produit"));
    EXPECT_EQ(valeur.join(u','), QStringLiteral("0203,0302,0402,0212,0909"));

    QStringList tables = {"0212", "1111", "1012", "0909", "0302", "1819"};
    rangement_items(tables, QStringLiteral("par tables"));
    EXPECT_EQ(tables.join(u','), QStringLiteral("0302,0909,1111,0212,1819"));

    QStringList autre = {"0909", "0202"};
    rangement_items(autre, QStringLiteral("hasard"));
    EXPECT_EQ(autre.join(u','), QStringLiteral("0909,0202"));

    const QStringList &sequence = sequence_par_tables();
    ASSERT_EQ(sequence.size(), 173);
    EXPECT_EQ(sequence.indexOf("1112"), sequence.indexOf("0912") + 1);
    EXPECT_EQ(sequence.last(), QStringLiteral("1819"));
}

TEST(LearningPlan, TilesStackInColumnsWithGapsBetweenBlocks)
{
    // Blocks of 3: the first column takes blocks 1 and 2 (468..504, gap, 527..563);
    // block 3 does not fit under 570 and opens a new column.
    const QList<QPoint> coins = disposition_tuiles({2, 5, 8}, 40);
    ASSERT_EQ(coins.size(), 9);
    EXPECT_EQ(coins[0], QPoint(168, 468));
    EXPECT_EQ(coins[2], QPoint(168, 504));
    EXPECT_EQ(coins[3], QPoint(168, 527));
    EXPECT_EQ(coins[5], QPoint(168, 563));
    EXPECT_EQ(coins[6], QPoint(168 + 45, 468));
    // One block longer than a column wraps inside itself, without the gap.
    const QList<QPoint> long_bloc = disposition_tuiles({9}, 40);
    EXPECT_EQ(long_bloc[5], QPoint(168, 558));
    EXPECT_EQ(long_bloc[6], QPoint(208, 468));
    for (const QPoint &p : disposition_tuiles(decoupage_en_blocs(109, 3), 40))
        EXPECT_LE(p.y() + kHauteurTuile, 600);
}

TEST(SelectionButtons, CounterAndModeButtons)
{
    const QStringList tables = {"table_7=40", "table_8=60", "table_9=90"};
    const QStringList produits = {"0708=0", "0709=20"};
    ObjectifApprentissage o;
    o.mode_tables = true;
    o.nb_tables = 1;
    o.nb_produits = 8;

    EXPECT_TRUE(SelectionButtons::plus(o, tables, produits));
    EXPECT_EQ(o.nb_tables, 2);
    EXPECT_EQ(o.nb_produits, 16);
    EXPECT_TRUE(SelectionButtons::plus(o, tables, produits));
    EXPECT_FALSE(SelectionButtons::plus(o, tables, produits));
    EXPECT_EQ(o.nb_tables, 3);
    EXPECT_TRUE(SelectionButtons::moins(o, tables));
    EXPECT_TRUE(SelectionButtons::moins(o, tables));
    EXPECT_FALSE(SelectionButtons::moins(o, tables));
    EXPECT_EQ(o.nb_produits, 8);

    o.nb_produits = 12;
    EXPECT_TRUE(SelectionButtons::choix_tables(o, tables));
    EXPECT_EQ(o.nb_tables, 2);
    EXPECT_EQ(o.nb_produits, 16);

    EXPECT_TRUE(SelectionButtons::choix_produits(o));
    EXPECT_FALSE(SelectionButtons::choix_produits(o));
    o.nb_produits = 2;
    EXPECT_FALSE(SelectionButtons::plus(o, tables, produits));
    EXPECT_TRUE(SelectionButtons::moins(o, tables));
    EXPECT_FALSE(SelectionButtons::moins(o, tables));

    EXPECT_EQ(SelectionButtons::bulle_compteur(1), QStringLiteral("1 produit à apprendre"));
    EXPECT_EQ(SelectionButtons::bulle_compteur(0), QStringLiteral("0 produit à apprendre"));
    EXPECT_EQ(SelectionButtons::bulle_compteur(12), QStringLiteral("12 produits à apprendre"));
}
