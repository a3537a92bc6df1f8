#include "core/Catalogue.h"
#include "core/ObjectiveTables.h"
#include "core/SessionState.h"

#include <gtest/gtest.h>

using ObjectiveTables::ChoixLibre;

TEST(ObjectiveTables, TablesAreFoundWhateverFormTheObjectivesTake)
{
    struct Cas { const char *objectifs; int numero; bool dedans; };
    const Cas cas[] = {
        {"table_2,table_7", 7, true},   {"table_2,table_7", 3, false}, {"tables_classiques", 9, true},
        {"tables_classiques", 12, false}, {"table_12", 2, false},      {"table_carres", 11, true},
        {"table_carres", 12, false},     {"", 2, false},               {"table_12", 12, true},
    };
    for (const Cas &c : cas) {
        SCOPED_TRACE(testing::Message() << c.objectifs << " " << c.numero);
        EXPECT_EQ(ObjectiveTables::dans_objectifs(c.numero, QString::fromLatin1(c.objectifs)), c.dedans);
    }
}

TEST(ObjectiveTables, TogglesRebuildTheObjectivesAndNeverLeaveThemEmpty)
{
    SessionState s;
    s.classement_tables = {"table_9=30"};
    const QList<int> gardes = ObjectiveTables::change_produits_etudies(s, {9, 4}, ObjectiveTables::numeros_classiques());
    EXPECT_EQ(gardes, (QList<int>{4, 9}));
    EXPECT_EQ(s.objectifs, QStringLiteral("table_4,table_9"));
    EXPECT_EQ(s.produits_etudies, Catalogue::liste_produits_tables(QStringLiteral("table_4,table_9")));
    EXPECT_EQ(s.produits_a_memoriser, Catalogue::liste_produits_tables(QStringLiteral("table_9")));

    EXPECT_EQ(ObjectiveTables::change_produits_etudies(s, {}, ObjectiveTables::numeros_etendus()), QList<int>{11});
    EXPECT_EQ(s.objectifs, QStringLiteral("table_carres"));
}

TEST(ObjectiveTables, FreeChoiceDefaultAdviceAndTotal)
{
    ChoixLibre deux;
    deux.initialise(QStringLiteral("table_3,table_8"), {});
    EXPECT_EQ(deux.visibles(), (QList<int>{3, 8}));
    EXPECT_EQ(deux.coches(), QList<int>{3});
    EXPECT_FALSE(deux.conseil_visible());

    ChoixLibre cinq;
    cinq.initialise(QStringLiteral("table_2,table_3,table_4,table_12,table_carres"), {"table_12=10", "table_2=50"});
    EXPECT_EQ(cinq.visibles(), (QList<int>{2, 3, 4, 11, 12}));
    EXPECT_EQ(cinq.defaut(), 12);
    EXPECT_TRUE(cinq.conseil_visible());
    cinq.bascule(3, true);
    EXPECT_FALSE(cinq.conseil_rouge());
    cinq.bascule(2, true);
    EXPECT_TRUE(cinq.conseil_rouge());
    EXPECT_EQ(cinq.cles(), QStringLiteral("table_12,table_3,table_2"));
    EXPECT_EQ(cinq.texte_total(), QStringLiteral("total %1 produits")
                                      .arg(Catalogue::nombre_produits_table("table_12") + 16));
    // A box that is not shown cannot be ticked; unticking the last one brings the default back.
    cinq.bascule(7, true);
    for (int n : {12, 3, 2})
        cinq.bascule(n, false);
    EXPECT_EQ(cinq.coches(), QList<int>{12});

    // A default that is not among the objectives gives way to the first box shown.
    ChoixLibre autre;
    autre.initialise(QStringLiteral("table_5,table_6"), {"table_9=0"});
    EXPECT_EQ(autre.coches(), QList<int>{5});
}
