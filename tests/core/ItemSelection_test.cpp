#include "core/Catalogue.h"
#include "core/ItemSelection.h"
#include "core/SessionState.h"

#include <gtest/gtest.h>

using ItemSelection::change_produits_a_memoriser;

namespace {

QStringList produits(const QString &cles)
{
    return Catalogue::liste_produits_tables(cles);
}

ObjectifApprentissage objectif(bool modeTables, int nbProduits)
{
    ObjectifApprentissage o;
    o.mode_tables = modeTables;
    o.nb_produits = nbProduits;
    return o;
}

QString juste(const QString &code, int dixiemes = 30)
{
    return "P" + code + Catalogue::complete_zeros(dixiemes, 3) + Catalogue::resultat_produit_4(code);
}

QString faux(const QString &code)
{
    return "P" + code + "0300000";
}

} // namespace

TEST(ItemSelection, TablesMode)
{
    const struct
    {
        const char *nom;
        QStringList classement;
        int nbProduits;
        QString attendu;
    } cas[] = {
        {"premiere table prise meme trop grande", {"table_13=000", "table_2=000"}, 8, "table_13"},
        {"la suivante depasserait", {"table_7=040", "table_2=050"}, 8, "table_7"},
        {"la suivante tient juste", {"table_7=040", "table_2=050", "table_3=060"}, 16, "table_7,table_2"},
        {"tailles differentes", {"table_2=000", "table_carres=010", "table_3=020"}, 20, "table_2,table_carres"},
        {"arret a 100 meme s'il reste de la place",
         {"table_3=050", "table_5=100", "table_7=000"}, 64, "table_3"},
        {"premiere table a 100 prise quand meme", {"table_4=100", "table_5=100"}, 64, "table_4"},
        {"classement epuise", {"table_2=000", "table_3=000"}, 64, "table_2,table_3"},
        {"table inconnue sans produits", {"table_2=000", "inconnue=000", "table_3=000"}, 16, "table_2,table_3"},
        {"classement vide", {}, 8, ""},
    };
    for (const auto &c : cas) {
        SCOPED_TRACE(c.nom);
        EXPECT_EQ(change_produits_a_memoriser(objectif(true, c.nbProduits), c.classement, {"0202=000"}),
                  produits(c.attendu));
    }
}

TEST(ItemSelection, ProductsMode)
{
    const QStringList classement{"0709=000", "0203=000", "0808=025", "0302=050", "0909=100", "0606=100"};
    const struct
    {
        const char *nom;
        int nbProduits;
        QStringList attendu;
    } cas[] = {
        {"les plus faibles d'abord", 3, {"0709", "0203", "0808"}},
        {"arret au premier a 100", 8, {"0709", "0203", "0808", "0302"}},
        {"aucun", 0, {}},
    };
    for (const auto &c : cas) {
        SCOPED_TRACE(c.nom);
        EXPECT_EQ(change_produits_a_memoriser(objectif(false, c.nbProduits), {"table_7=000"}, classement), c.attendu);
    }
    EXPECT_EQ(change_produits_a_memoriser(objectif(false, 8), {}, {"0709=000", "0203=010"}),
              (QStringList{"0709", "0203"}));
}

TEST(ItemSelection, NewPupilStartsWithTheFirstObjectiveTable)
{
    SessionState s;
    s.temps_acceptable = 6;
    s.liste_produits = produits("tables_classiques");
    s.objectif_apprentissage.mode_tables = false;
    s.objectif_apprentissage.nb_produits = 30;
    ItemSelection::selection_apres_test(s);
    EXPECT_EQ(s.classement_tables.size(), 8);
    EXPECT_EQ(s.classement_tables.first(), "table_2=000");
    EXPECT_EQ(s.classement_tables.last(), "table_9=000");
    EXPECT_EQ(s.classement_produits.size(), 64);
    EXPECT_TRUE(s.objectif_apprentissage.mode_tables);
    EXPECT_EQ(s.objectif_apprentissage.nb_produits, 8);
    EXPECT_EQ(s.produits_a_memoriser, produits("table_2"));
}

TEST(ItemSelection, AfterATestTheWeakestTableDecidesTheMode)
{
    const QStringList classiques = produits("tables_classiques");

    // Table 6 at 93, every other one at 100: only the gaps are worked.
    QString bon;
    for (const QString &code : classiques)
        bon += code == "0609" ? juste(code, 100) : code == "0305" ? faux(code) : juste(code);
    SessionState s;
    s.temps_acceptable = 6;
    s.produits_etudies = classiques;
    s.liste_produits = produits("table_carres");
    s.objectif_apprentissage.nb_produits = 5;
    s.objectif_apprentissage.nb_tables = 3;
    s.eleve.dernier_test = bon;
    ItemSelection::selection_apres_test(s);
    EXPECT_EQ(s.classement_tables.first(), "table_3=087");
    EXPECT_EQ(s.classement_produits.mid(0, 3), (QStringList{"0305=000", "0609=050", "0202=100"}));
    EXPECT_FALSE(s.objectif_apprentissage.mode_tables);
    EXPECT_EQ(s.objectif_apprentissage.nb_produits, 5);
    EXPECT_EQ(s.objectif_apprentissage.nb_tables, 3);
    EXPECT_EQ(s.produits_a_memoriser, (QStringList{"0305", "0609"}));

    // The same test read from the whole test line, with table 4 now weak.
    QString faible = bon;
    for (const QString &code : produits("table_4"))
        faible.replace(juste(code), faux(code));
    s.eleve.dernier_test = "\tTEST de 10:00:00 à 10:04:00 " + faible;
    ItemSelection::selection_apres_test(s);
    EXPECT_EQ(s.classement_tables.first(), "table_4=000");
    EXPECT_TRUE(s.objectif_apprentissage.mode_tables);
    EXPECT_EQ(s.objectif_apprentissage.nb_produits, 8);
    EXPECT_EQ(s.produits_a_memoriser, produits("table_4"));
}

TEST(ItemSelection, RankingEntries)
{
    EXPECT_EQ(ItemSelection::score_entree("table_7=085"), 85);
    EXPECT_EQ(ItemSelection::score_entree("0609=100"), 100);
    EXPECT_EQ(ItemSelection::score_entree("0609="), -1);
    EXPECT_EQ(ItemSelection::score_entree("0609"), -1);
    EXPECT_EQ(ItemSelection::nom_entree("table_carres=000"), "table_carres");
    EXPECT_EQ(ItemSelection::nom_entree("0609"), "0609");
}
