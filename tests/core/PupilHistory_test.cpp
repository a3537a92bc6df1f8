#include "core/Catalogue.h"
#include "core/HistoryLines.h"
#include "core/PupilHistory.h"

#include <QDate>
#include <QElapsedTimer>
#include <gtest/gtest.h>

namespace {

// Every product of the tables answered right in the given tenths.
QString reponses(const QString &tables, int dixiemes = 10)
{
    QString r;
    for (const QString &code : Catalogue::liste_produits_tables(tables))
        r += u'P' + code + Catalogue::complete_zeros(dixiemes, 3) + Catalogue::resultat_produit_4(code);
    return r;
}

QString ligneTest(const QString &debut, const QString &enregistrements)
{
    return QStringLiteral("\tTEST de %1 à 10:30:00 ").arg(debut) + enregistrements;
}

QString entete(const QString &jour, const QString &debut = QStringLiteral("10:00:00"))
{
    const QStringList parties = jour.split(u' ');
    return HistoryLines::entete_seance(parties.at(0), parties.at(1), debut, QStringLiteral("10:40:00"),
                                       QStringLiteral("POSTE-12"));
}

const QString kApprentissage = QStringLiteral("\tAPPRENTISSAGE de 10:01:00 à 10:20:00: 40 répétitions");

PupilHistory::Criteres criteres(bool masquer = false, const QString &aujourdhui = QString())
{
    PupilHistory::Criteres c;
    c.objectifs = QStringLiteral("table_2,table_3");
    c.masquerIncomplets = masquer;
    c.tempsAcceptable = 6;
    c.aujourdhui = aujourdhui;
    return c;
}

} // namespace

TEST(HistoryLines, HeaderIsWrittenAndReadBackByThePositionOfItsFirstSlash)
{
    const QString h = HistoryLines::entete_seance("Mardi", "14/11/2006", "10:02:11", "10:25:40", "SALLE-INFO-3");
    EXPECT_EQ(h, "Séance du Mardi 14/11/2006 de 10:02:11 à 10:25:40 sur le poste \"SALLE-INFO-3\"");
    EXPECT_TRUE(HistoryLines::est_entete(h));
    EXPECT_EQ(HistoryLines::libelle_jour(h), "Mardi 14/11/2006");
    EXPECT_EQ(HistoryLines::date_entete(h), "14/11/2006");
    EXPECT_EQ(HistoryLines::cle_jour(h), "20061114");
    EXPECT_EQ(HistoryLines::heure_debut(h), "10:02:11");
    // A date given with another separator is still written with "/".
    EXPECT_EQ(HistoryLines::entete_seance("Mardi", "14.11.2006", "a", "b", "c"),
              "Séance du Mardi 14/11/2006 de a à b sur le poste \"c\"");

    struct Cas { QString ligne; bool entete; QString libelle; QString cle; QString heure; };
    const QList<Cas> abimes{
        {"Séance du Mardi 14/11/2006", true, "Mardi 14/11/2006", "20061114", ""},
        {"Séance du Mardi 14/11/20", true, "Mardi 14/11/20", "", ""},
        {"Séance du Mardi 1a/11/2006 de 10", true, "Mardi 1a/11/2006", "", ""},
        {"S/", true, "", "", ""},
        {"Séance", false, "", "", ""},
        {"\tTEST de 10:00:00 à 10:05:00 P0202", false, "", "", ""},
        {"", false, "", "", ""},
    };
    for (const Cas &c : abimes) {
        SCOPED_TRACE(c.ligne.toStdString());
        EXPECT_EQ(HistoryLines::est_entete(c.ligne), c.entete);
        EXPECT_EQ(HistoryLines::libelle_jour(c.ligne), c.libelle);
        EXPECT_EQ(HistoryLines::cle_jour(c.ligne), c.cle);
        EXPECT_EQ(HistoryLines::heure_debut(c.ligne), c.heure);
    }
    EXPECT_FALSE(HistoryLines::est_ligne_test("Séance du Mardi 14/11/2006 de 10:00:00 à 10:05:00 sur le poste \"TEST-PC\""));
    EXPECT_TRUE(HistoryLines::est_ligne_test(ligneTest("10:00:00", "P02020100004")));
    EXPECT_EQ(HistoryLines::enregistrements(ligneTest("10:00:00", "P02020100004")), "P02020100004");
}

TEST(HistoryLines, ActivityHeadKeepsTheWordAndTimesAndDropsTheData)
{
    const struct
    {
        QString ligne;
        QString tete;
    } cas[] = {
        {ligneTest("10:00:00", "P02020100004"), "TEST de 10:00:00 à 10:30:00"},
        {"\tAPPRENTISSAGE de 10:00:00 à 10:12:30: 7x8 6x9", "APPRENTISSAGE de 10:00:00 à 10:12:30"},
        {"\tPERFECTIONNEMENT de 11:00:00 à 11:02:00", "PERFECTIONNEMENT de 11:00:00 à 11:02:00"},
        {"\tTEST de 10:00:00 à 10:0", "TEST de 10:00:00 à 10:0"},
        {"  ligne abîmée ", "ligne abîmée"},
    };
    for (const auto &c : cas)
        EXPECT_EQ(HistoryLines::tete_activite(c.ligne), c.tete) << c.ligne.toStdString();
}

TEST(PupilHistoryResume, SameDaySessionsMakeOneEntryFromTheFirstTest)
{
    const QString moitie = reponses("table_2") + reponses("table_3", 900);  // table 3 far too slow
    const QStringList historique{
        entete("Mardi 14/11/2006", "09:00:00"), ligneTest("09:01:00", moitie),
        entete("Mardi 14/11/2006", "14:00:00"), ligneTest("14:01:00", reponses("table_2,table_3")),
    };
    const PupilHistory::Resume r = PupilHistory::resume(historique, criteres(false, "Mardi 14/11/2006"));
    ASSERT_EQ(r.graphique.size(), 1);
    EXPECT_EQ(r.graphique[0].jour, "Mardi 14/11/2006");
    EXPECT_EQ(r.graphique[0].ligneTest, historique[1]);
    EXPECT_EQ(r.graphique[0].score, "50");
    EXPECT_EQ(r.dernier_test, moitie);
    EXPECT_TRUE(r.seance_du_jour);
}

TEST(PupilHistoryResume, ADayWithoutTestBorrowsTheNextTestAndTheLastOneGetsNothing)
{
    const QString test = ligneTest("10:01:00", reponses("table_2,table_3"));
    const QStringList historique{
        entete("Lundi 13/11/2006"), kApprentissage,
        entete("Mardi 14/11/2006"), kApprentissage, test,
        entete("Mercredi 15/11/2006"), kApprentissage,
    };
    const PupilHistory::Resume r = PupilHistory::resume(historique, criteres(false, "Mardi 14/11/2006"));
    ASSERT_EQ(r.graphique.size(), 2);
    EXPECT_EQ(r.graphique[0].jour, "Lundi 13/11/2006");
    EXPECT_EQ(r.graphique[1].jour, "Mardi 14/11/2006");
    EXPECT_EQ(r.graphique[0].ligneTest, test);
    EXPECT_EQ(r.graphique[1].ligneTest, test);
    EXPECT_EQ(r.graphique[1].score, "100");
    // The last header is Wednesday's.
    EXPECT_FALSE(r.seance_du_jour);
    EXPECT_TRUE(PupilHistory::resume(historique, criteres(false, "Mercredi 15/11/2006")).seance_du_jour);
}

TEST(PupilHistoryResume, IncompleteTestsAreSkippedOnlyWhenHidden)
{
    const QString incomplet = ligneTest("10:01:00", reponses("table_2"));
    const QString complet = ligneTest("10:05:00", reponses("table_2,table_3", 100));
    const QStringList historique{entete("Lundi 13/11/2006"), incomplet, entete("Mardi 14/11/2006"), complet};

    const PupilHistory::Resume visibles = PupilHistory::resume(historique, criteres(false));
    ASSERT_EQ(visibles.graphique.size(), 2);
    EXPECT_EQ(visibles.graphique[0].ligneTest, incomplet);
    EXPECT_EQ(visibles.graphique[0].score, "50");

    const PupilHistory::Resume masques = PupilHistory::resume(historique, criteres(true));
    ASSERT_EQ(masques.graphique.size(), 2);
    EXPECT_EQ(masques.graphique[0].ligneTest, complet);
    EXPECT_EQ(masques.graphique[0].score, "50");  // 100 tenths: twice the acceptable time
    EXPECT_EQ(masques.dernier_test, reponses("table_2,table_3", 100));
}

TEST(PupilHistoryResume, MoreThanAThousandTestDaysAreAllKept)
{
    QStringList historique;
    const QDate debut(2000, 1, 3);
    const int jours = 1500;
    for (int i = 0; i < jours; ++i) {
        const QDate d = debut.addDays(i);
        historique << entete(QStringLiteral("Jour ") + d.toString("dd/MM/yyyy"))
                   << ligneTest("10:01:00", reponses("table_2,table_3"));
    }
    const PupilHistory::Resume r = PupilHistory::resume(historique, criteres());
    ASSERT_EQ(r.graphique.size(), jours);
    EXPECT_EQ(r.graphique.last().jour, "Jour " + debut.addDays(jours - 1).toString("dd/MM/yyyy"));
}

TEST(PupilHistoryResume, DamagedLinesAreStepsOverNotStops)
{
    const QString bon = ligneTest("11:00:00", reponses("table_2,table_3"));
    const QStringList historique{
        "S",
        "Séance du Lundi 13/11/2006",                  // no time
        "\tTEST de 10:00",                             // cut before its records
        "",
        "Séance du Lundi 13/11/2006 de 10:00:00 à 10:10:00 sur le poste \"TEST-PC\"",
        "\tTEST de 10:01:00 à 10:05:00 P0202010000x",  // no whole answer
        "/ stray line",
        "Séance du Mardi 14/11/20",
        bon,
        "\tTEST de 12:00:00 à 12:05:00 P02" + QString(3, QChar(0x81)),
    };
    const PupilHistory::Resume r = PupilHistory::resume(historique, criteres());
    ASSERT_EQ(r.graphique.size(), 2);
    EXPECT_EQ(r.graphique[0].jour, "Lundi 13/11/2006");
    EXPECT_EQ(r.graphique[0].ligneTest, bon);
    EXPECT_EQ(r.graphique[1].jour, "Mardi 14/11/20");
    EXPECT_EQ(r.graphique[1].ligneTest, bon);
    EXPECT_TRUE(PupilHistory::resume({}, criteres()).graphique.isEmpty());
}

TEST(PupilHistoryResume, ALongHistoryWithoutTestsIsWalkedOnce)
{
    // Hundreds of thousands of days without any test: each day looks ahead
    // for a test, which must not cost a walk to the end per day. Walked once
    // this takes well under a second; a walk per day takes many minutes, so
    // the bound is loose enough for a loaded machine or a sanitizer build.
    QStringList historique;
    for (int i = 0; i < 200000; ++i)
        historique << entete(QStringLiteral("Jour %1/01/2000").arg(i)) << kApprentissage;
    QElapsedTimer t;
    t.start();
    EXPECT_TRUE(PupilHistory::resume(historique, criteres()).graphique.isEmpty());
    EXPECT_LT(t.elapsed(), 60000);
}

TEST(PupilHistoryAppend, OnlyWhatTheFileLacksIsAdded)
{
    const QString h = entete("Mardi 14/11/2006");
    const QStringList seance{h, kApprentissage, "\tTEST de 1"};
    const QStringList autre{entete("Mardi 14/11/2006", "10:05:00"), "\tTEST autre poste"};

    struct Cas { const char *quoi; QStringList disque; QStringList attendu; };
    const QList<Cas> cas{
        {"new file", {}, seance},
        {"already recorded", QStringList{"x"} + seance, {}},
        {"recorded, then another workstation wrote", seance + autre, {}},
        {"recorded in part", QStringList{h, kApprentissage} + autre, {"\tTEST de 1"}},
        {"another session of the same start, other header", autre, seance},
    };
    for (const Cas &c : cas) {
        SCOPED_TRACE(c.quoi);
        EXPECT_EQ(PupilHistory::lignes_a_ajouter(c.disque, seance), c.attendu);
    }
    EXPECT_TRUE(PupilHistory::lignes_a_ajouter({"x"}, {h}).isEmpty());
    EXPECT_TRUE(PupilHistory::lignes_a_ajouter({"x"}, {}).isEmpty());
}

TEST(PupilHistoryResume, OnlyClassicTestsMakeGraphEntriesAndTheLastTest)
{
    const QString carres = ligneTest("09:01:00", reponses("table_carres"));
    const QString etendues = ligneTest("09:01:00", reponses("table_12"));
    const QString classique = ligneTest("15:01:00", reponses("table_2,table_3"));
    struct Cas { const char *nom; QStringList historique; int entrees; QString dernier; };
    const Cas cas[] = {
        // Squares in the morning, classic tables in the afternoon: the day's
        // point is the classic test, not a "-1" bar.
        {"carrés puis classique le même jour",
         {entete("Jeudi 10/12/2026", "09:00:00"), carres, entete("Jeudi 10/12/2026", "15:00:00"), classique}, 1,
         reponses("table_2,table_3")},
        // An extended test on the last day is no point and not the last test.
        {"étendues en dernier",
         {entete("Mercredi 09/12/2026"), classique, entete("Jeudi 10/12/2026"), etendues}, 1,
         reponses("table_2,table_3")},
        {"rien que des étendues", {entete("Jeudi 10/12/2026"), etendues, carres}, 0, QString()},
    };
    for (const Cas &c : cas) {
        SCOPED_TRACE(c.nom);
        const PupilHistory::Resume r = PupilHistory::resume(c.historique, criteres());
        ASSERT_EQ(r.graphique.size(), c.entrees);
        for (const EntreeGraphique &e : r.graphique) {
            EXPECT_EQ(e.ligneTest, classique);
            EXPECT_EQ(e.score, "100");
        }
        EXPECT_EQ(r.dernier_test, c.dernier);
    }
}
