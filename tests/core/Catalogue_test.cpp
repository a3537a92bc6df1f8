#include "core/Catalogue.h"

#include <gtest/gtest.h>

using namespace Catalogue;

namespace {

QStringList codes(const char *liste)
{
    return QString::fromLatin1(liste).split(QLatin1Char(','), Qt::SkipEmptyParts);
}

} // namespace

TEST(Catalogue, ProductListsOfTheTables)
{
    const struct
    {
        const char *cle;
        const char *produits;
    } cas[] = {
        {"table_7", "0702,0703,0704,0705,0706,0707,0708,0709"},
        {"table_carres", "1111,1212,1313,1414,1515,1616,1717,1818,1919"},
        {"table_12", "0212,0312,0412,0512,0612,0712,0812,0912,1112"},
        {"table_13", "0213,0313,0413,0513,0613,0713,0813,0913,1113,1213"},
        {"table_19", "0219,0319,0419,0519,0619,0719,0819,0919,1119,1219,1319,1419,1519,1619,1719,1819"},
        {"table_10", ""},
        {"table_11", ""},
        {"table_1", ""},
        {"Table_7", ""},
        {"", ""},
    };
    for (const auto &c : cas) {
        SCOPED_TRACE(c.cle);
        EXPECT_EQ(produits_table(QString::fromLatin1(c.cle)), QString::fromLatin1(c.produits));
    }
}

TEST(Catalogue, GroupKeysJoinTheirTablesInOrder)
{
    const QStringList classiques = produits_table("tables_classiques").split(',');
    ASSERT_EQ(classiques.size(), 64);
    EXPECT_EQ(classiques.first(), "0202");
    EXPECT_EQ(classiques[8], "0302");
    EXPECT_EQ(classiques.last(), "0909");
    EXPECT_EQ(produits_numero_table(10), produits_table("tables_classiques"));

    QString attendu = produits_table("table_carres");
    for (int n = 12; n <= 19; ++n)
        attendu += "," + produits_table(cle_table(n));
    EXPECT_EQ(produits_table("tables_etendues"), attendu);
    // The squares plus tables 12 to 19: 9 + (9 + 10 + ... + 16).
    EXPECT_EQ(nombre_produits_table("tables_etendues"), 109);
    EXPECT_EQ(numero_table("tables_etendues"), -1);
}

TEST(Catalogue, NumbersKeysAndCounts)
{
    const struct
    {
        const char *cle;
        int numero;
        int nombre;
    } cas[] = {
        {"table_2", 2, 8},         {"table_9", 9, 8},           {"tables_classiques", 10, 64},
        {"table_carres", 11, 9},   {"table_12", 12, 9},         {"table_13", 13, 10},
        {"table_19", 19, 16},      {"table_10", -1, -1},        {"table_11", -1, -1},
        {"table_20", -1, -1},      {"table_07", -1, -1},        {"table_", -1, -1},
        {"table_-3", -1, -1},      {"n'importe quoi", -1, -1},
    };
    for (const auto &c : cas) {
        SCOPED_TRACE(c.cle);
        const QString cle = QString::fromLatin1(c.cle);
        EXPECT_EQ(numero_table(cle), c.numero);
        EXPECT_EQ(nombre_produits_table(cle), c.nombre);
        if (c.numero > 0) {
            EXPECT_EQ(cle_table(c.numero), cle);
            EXPECT_EQ(produits_numero_table(c.numero), produits_table(cle));
        }
    }
    for (int n : {-1, 0, 1, 20, 100}) {
        SCOPED_TRACE(n);
        EXPECT_TRUE(cle_table(n).isEmpty());
        EXPECT_TRUE(produits_numero_table(n).isEmpty());
    }
}

TEST(Catalogue, ProductsOfAKeyListKeepRepeatsAndSkipUnknownKeys)
{
    const QStringList liste = liste_produits_tables("table_3,inconnue,table_3,table_carres");
    ASSERT_EQ(liste.size(), 8 + 8 + 9);
    EXPECT_EQ(liste.mid(0, 8), liste.mid(8, 8));
    EXPECT_EQ(liste.last(), "1919");
    EXPECT_TRUE(liste_produits_tables("").isEmpty());
}

TEST(Catalogue, TableOfAProductAndTablesOfProducts)
{
    const struct
    {
        const char *code;
        const char *cle;
    } cas[] = {
        {"0609", "table_6"}, {"0906", "table_9"}, {"1313", "table_carres"}, {"0213", "table_13"},
        {"1213", "table_13"}, {"1312", "table_13"}, {"0210", ""},          {"1011", ""},
        {"0103", ""},          {"2012", ""},         {"06x9", ""},          {"060", ""},
    };
    for (const auto &c : cas) {
        SCOPED_TRACE(c.code);
        EXPECT_EQ(cle_table_produit(QString::fromLatin1(c.code)), QString::fromLatin1(c.cle));
    }
    EXPECT_EQ(tables_des_produits(codes("0609,0906,0602")), "table_6,table_9");
    EXPECT_EQ(tables_des_produits(codes("1313,0213")), "table_carres,table_13");
    EXPECT_EQ(tables_des_produits(codes("0210,0203,1002")), "table_2");
    // "table_12" already listed must not hide table 2, nor the reverse.
    EXPECT_EQ(tables_des_produits(codes("0212,0202,0213")), "table_12,table_2,table_13");
    EXPECT_EQ(tables_des_produits({}), "");
}

TEST(Catalogue, DisplayNames)
{
    EXPECT_EQ(nom_table("table_7", 0), "7");
    EXPECT_EQ(nom_table("table_7", 1), "de 7");
    EXPECT_EQ(nom_table("table_7", 2), "Table de 7");
    EXPECT_EQ(nom_table("table_carres", 0), "carrés");
    EXPECT_EQ(nom_table("table_carres", 1), "des carrés");
    EXPECT_EQ(nom_table("table_carres", 2), "Table des carrés");
    EXPECT_EQ(nom_table("table_15", 2), "Table de 15");
    EXPECT_EQ(nom_table("tables_classiques", 2), "");
    EXPECT_EQ(nom_table("tables_etendues", 1), "");
    EXPECT_EQ(nom_table("table_7", 3), "");

    const struct
    {
        const char *cles;
        const char *nom;
    } cas[] = {
        {"table_8", "Table de 8"},
        {"table_carres", "Table des carrés"},
        {"table_2,table_3", "Tables de 2 et de 3"},
        {"table_carres,table_12", "Tables des carrés et de 12"},
        {"table_2,table_5,table_7", "Tables de 2, 5 et 7"},
        {"table_carres,table_12,table_13", "Tables des carrés, 12 et 13"},
        {"table_2,table_3,table_4,table_5,table_6,table_7,table_8,table_9", "Toutes les tables de 2 à 9"},
        {"table_3,table_2,table_4,table_5,table_6,table_7,table_8,table_9", "Tables de 3, 2, 4, 5, 6, 7, 8 et 9"},
    };
    for (const auto &c : cas) {
        SCOPED_TRACE(c.cles);
        EXPECT_EQ(nom_liste_tables(QString::fromLatin1(c.cles)), QString::fromUtf8(c.nom));
    }
}

TEST(Catalogue, WrittenProductsAndResults)
{
    EXPECT_EQ(ecrit_produit("0909"), QString::fromUtf8("9\u00D79"));
    EXPECT_EQ(ecrit_produit("1213"), QString::fromUtf8("12\u00D713"));
    EXPECT_EQ(resultat_produit("0609"), "54");
    EXPECT_EQ(resultat_produit("1919"), "361");
    EXPECT_EQ(resultat_produit_4("0609"), "0054");
    EXPECT_EQ(resultat_produit_4("1919"), "0361");
    EXPECT_EQ(produit_inverse("0212"), "1202");
    EXPECT_EQ(ecrit_produit("6x9"), "");
    EXPECT_EQ(resultat_produit(""), "");
}

TEST(Catalogue, OlderFormBothWays)
{
    const struct
    {
        const char *codes;
        const char *ancienne;
    } cas[] = {
        {"0702,0703,0704,0705,0706,0707,0708,0709", "7x<2-9>"},
        {"0802,0804,0805,0806", "8x<2,4-6>"},
        {"0702,0703,0704,0705,0706,0707,0708,0709,0802,0804,0805,0806", "7x<2-9>,8x<2,4-6>"},
        {"0709,0702,0703", "7x<9,2-3>"},
        {"1213,1111,1212", "12x<13>,11x<11>,12x<12>"},
        {"0203,0205,0207", "2x<3,5,7>"},
        {"", ""},
    };
    for (const auto &c : cas) {
        SCOPED_TRACE(c.ancienne);
        EXPECT_EQ(code_vers_forme_ancienne(codes(c.codes)), QString::fromLatin1(c.ancienne));
        EXPECT_EQ(forme_ancienne_vers_codes(QString::fromLatin1(c.ancienne)), codes(c.codes));
    }
}

TEST(Catalogue, DamagedOlderFormGivesOnlyWhatItSurelyMeans)
{
    const struct
    {
        const char *ancienne;
        const char *codes;
    } cas[] = {
        {"2-5,7x<2>", "0702"},      // item outside any group
        {"7x<>,3x<4>", "0304"},     // empty ranges
        {"7x<2-z>,3x<4>", "0304"},  // damaged range
        {"zx<2-3>,3x<4>", "0304"},  // damaged factor
        {"7x<5-3>", ""},            // reversed range
        {"7x<2-3", "0702,0703"},    // unclosed last group
        {"7x<1-999999999>", nullptr},
    };
    for (const auto &c : cas) {
        SCOPED_TRACE(c.ancienne);
        const QStringList resultat = forme_ancienne_vers_codes(QString::fromLatin1(c.ancienne));
        if (c.codes) {
            EXPECT_EQ(resultat, codes(c.codes));
        } else {
            // A huge range is held to factors that fit two digits.
            ASSERT_EQ(resultat.size(), 99);
            EXPECT_EQ(resultat.last(), "0799");
        }
    }
}

TEST(Catalogue, StoredValueToCurrentForm)
{
    EXPECT_EQ(vers_forme_actuelle("table_2,table_7"), "table_2,table_7");
    EXPECT_EQ(vers_forme_actuelle("2x<2-9>,3x<2-9>,7x<2-9>"), "table_2,table_3,table_7");
    EXPECT_EQ(vers_forme_actuelle("11x<11>,12x<12>,2x<12>"), "table_carres,table_12");
    EXPECT_EQ(vers_forme_actuelle(""), "");
}

TEST(Catalogue, TablesOfProductsCollapseConsecutiveRepeats)
{
    EXPECT_EQ(liste_tables_de_produits(codes("0202,0203,0302,0204,1212,1213")),
              (QStringList{"02", "03", "02", "12"}));
    EXPECT_TRUE(liste_tables_de_produits({}).isEmpty());
}

TEST(Catalogue, ZeroPaddingHelpers)
{
    EXPECT_EQ(complete_zeros(-3, 3), "000");
    EXPECT_EQ(complete_zeros(1234, 3), "1234");
    EXPECT_EQ(complete_zeros(7, 2), "07");
    EXPECT_EQ(complete_zeros(0, 0), "0");
    EXPECT_EQ(complete_zeros(86400000LL * 10000, 4), "864000000000");
    EXPECT_EQ(supprime_zeros("0054"), "54");
    EXPECT_EQ(supprime_zeros("100"), "100");
    EXPECT_EQ(supprime_zeros("000"), "");
    EXPECT_EQ(supprime_zeros(""), "");
}
