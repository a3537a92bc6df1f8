#include "core/Catalogue.h"
#include "core/Perfectionnement.h"
#include "core/RandomSource.h"

#include <gtest/gtest.h>

namespace {

// Types every expected pair, the second factor first when asked to.
QStringList justes(const Perfectionnement::Question &q, bool inverse = false)
{
    QStringList champs;
    for (const auto &p : q.paires)
        champs << (inverse ? p.b : p.a) << (inverse ? p.a : p.b);
    return champs;
}

TEST(Perfectionnement, EntriesGroupFactorPairsOfOneValueSmallFactorFirst)
{
    EXPECT_EQ(Perfectionnement::questions_perfectionnement({"0203", "0302", "0204", "0402"}),
              (QStringList{"00060203", "00080204"}));
    const QStringList classiques = Perfectionnement::questions_perfectionnement(
        Catalogue::liste_produits_tables("tables_classiques"));
    EXPECT_TRUE(classiques.contains("002403080406"));
    EXPECT_TRUE(classiques.contains("003604090606"));
    // A table named twice gives each pair once.
    EXPECT_EQ(Perfectionnement::questions_perfectionnement(Catalogue::liste_produits_tables("table_2,table_2")).size(), 8);
}

TEST(Perfectionnement, ScoresAndLevelThreeClock)
{
    EXPECT_EQ(Perfectionnement::score_apres_erreur(10), 6);
    EXPECT_EQ(Perfectionnement::score_apres_erreur(3), 0);
    EXPECT_EQ(Perfectionnement::score_apres_erreur(80), 60);
    EXPECT_EQ(Perfectionnement::periode_niveau_3(2, 8, 4, 50), 30000);
    EXPECT_EQ(Perfectionnement::increment(30), 3);
    EXPECT_EQ(Perfectionnement::increment(150), 1);
}

TEST(Perfectionnement, OneTableIsShuffledAMixedSetAskedInAscendingValue)
{
    EXPECT_TRUE(Perfectionnement::reguliere(Perfectionnement::questions_perfectionnement(
        Catalogue::liste_produits_tables("table_7"))));
    const QStringList classiques = Catalogue::liste_produits_tables("tables_classiques");
    EXPECT_FALSE(Perfectionnement::reguliere(Perfectionnement::questions_perfectionnement(classiques)));
    SeededRandom random(3);
    Perfectionnement p(random);
    p.initialisation(classiques, 2, "10:00:00", 20, 20);
    for (int i = 1; i <= p.nombre_questions(); ++i)
        EXPECT_EQ(p.pose_la_question(0).numero, i);
}

TEST(Perfectionnement, PairsMatchInAnyOrderAndErrorsAreCounted)
{
    SeededRandom random(1);
    Perfectionnement p(random);
    p.initialisation({"0308", "0406"}, 2, "10:00:00", 20, 20);
    Perfectionnement::Question q = p.pose_la_question(0);
    ASSERT_EQ(q.valeur, 24);
    struct Cas { QStringList champs; bool juste; int erreurs; bool autre; QList<bool> faux; };
    const Cas cas[] = {
        {{"6", "4", "8", "3"}, true, 0, false, {false, false, false, false}},
        {{"4", "6", "3", "7"}, false, 1, false, {false, false, false, true}},
        {{"2", "12", "3", "8"}, false, 0, true, {true, true, false, false}},
        {{"5", "5", "9", "9"}, false, 4, false, {true, true, true, true}},
    };
    for (const Cas &c : cas) {
        SCOPED_TRACE(c.champs.join(' ').toStdString());
        Perfectionnement essai = p;
        const Perfectionnement::Resultat r = essai.evalue_la_reponse(c.champs, 1000);
        EXPECT_EQ(r.juste, c.juste);
        EXPECT_EQ(r.erreurs, c.erreurs);
        EXPECT_EQ(r.autreFactorisation, c.autre);
        EXPECT_EQ(r.champsFaux, c.faux);
    }
    // The correction faces the rows typed: 4 × 6 above 3 × 8.
    const Perfectionnement::Resultat r = p.evalue_la_reponse({"4", "6", "3", "7"}, 1000);
    EXPECT_EQ(r.attendus, (QList<Perfectionnement::Paire>{{"4", "6"}, {"3", "8"}}));
}

TEST(Perfectionnement, LevelOneGivesOneFactorOfEachPairAndSquaresSkipIt)
{
    SeededRandom random(2);
    Perfectionnement p(random);
    p.initialisation(Catalogue::liste_produits_tables("table_6"), 1, "10:00:00", 20, 20);
    const Perfectionnement::Question q = p.pose_la_question(0);
    for (int donne : q.donnes)
        EXPECT_TRUE(donne == 0 || donne == 1);
    p.initialisation(Catalogue::liste_produits_tables("table_carres"), 1, "10:00:00", 20, 20);
    EXPECT_EQ(p.niveau(), 2);
    EXPECT_EQ(p.pose_la_question(0).donnes, QList<int>{-1});
}

// 24 with "3" given and "3" typed again in the other field: the pupil's field
// is the wrong one, facing the pair that holds the given factor; the given
// field never is, whichever factor was given.
TEST(Perfectionnement, AtLevelOneOnlyThePupilsOwnFieldIsJudged)
{
    for (int graine = 1; graine <= 6; ++graine) {
        SeededRandom random(graine);
        Perfectionnement p(random);
        p.initialisation({"0308", "0406"}, 1, "10:00:00", 20, 20);
        const Perfectionnement::Question q = p.pose_la_question(0);
        ASSERT_EQ(q.valeur, 24);
        for (int ligne = 0; ligne < 2; ++ligne) {
            const int donne = q.donnes[ligne];
            QStringList champs = justes(q);
            champs[2 * ligne + 1 - donne] = champs[2 * ligne + donne];
            SCOPED_TRACE(QStringLiteral("graine %1, %2").arg(graine).arg(champs.join(' ')).toStdString());
            Perfectionnement essai = p;
            const Perfectionnement::Resultat r = essai.evalue_la_reponse(champs, 1000);
            EXPECT_FALSE(r.juste);
            EXPECT_EQ(r.erreurs, 1);
            QList<bool> faux(4, false);
            faux[2 * ligne + 1 - donne] = true;
            EXPECT_EQ(r.champsFaux, faux);
            EXPECT_EQ(r.attendus, q.paires);
        }
    }
}

TEST(Perfectionnement, EveryPoolFromOneProductToAllTablesPlaysToItsEnd)
{
    const QString etendues = Catalogue::produits_table("tables_etendues");
    const QStringList tous = etendues.split(',');
    QList<QStringList> pools{{"0707"}, {"0203", "0302"}, {"0203", "0204", "0306"},
                             Catalogue::liste_produits_tables("table_carres"), tous,
                             Catalogue::liste_produits_tables("tables_classiques") + tous};
    for (int n = 1; n <= tous.size(); n += 17)
        pools << tous.mid(0, n);
    for (const QStringList &pool : pools) {
        SCOPED_TRACE(pool.size());
        SeededRandom random(quint32(pool.size()));
        Perfectionnement p(random);
        p.initialisation(pool, 3, "10:00:00", 20, 20);
        qint64 t = 0;
        int questions = 0;
        bool fin = false;
        while (!fin) {
            const Perfectionnement::Question q = p.pose_la_question(t);
            ASSERT_GE(q.paires.size(), 1);
            ASSERT_LE(q.paires.size(), Perfectionnement::kPairesMax);
            ASSERT_GT(q.periodeMs, 0);
            t += 3000;
            fin = p.evalue_la_reponse(justes(q, questions % 2 == 1), t).juste && p.score() >= 100;
            ASSERT_LT(++questions, 1000);
        }
    }
}

TEST(Perfectionnement, SlowAndWrongQuestionsComeBackMoreOften)
{
    SeededRandom random(4);
    Perfectionnement p(random);
    p.initialisation(Catalogue::liste_produits_tables("table_2,table_9"), 2, "10:00:00", 20, 20);
    const int q = p.nombre_questions();
    qint64 t = 0;
    for (int i = 0; i < q; ++i) {
        const Perfectionnement::Question question = p.pose_la_question(t);
        // Value 18 is always failed; every other value is answered fast.
        t += 1000;
        p.evalue_la_reponse(question.valeur == 18 ? QStringList(2 * question.paires.size(), "5") : justes(question), t);
    }
    int dixHuit = 0;
    for (int passe = 0; passe < 5; ++passe)
        for (int i = 0; i < q; ++i)
            dixHuit += p.pose_la_question(t).valeur == 18;
    EXPECT_GT(dixHuit, 5 * 2);
    EXPECT_EQ(p.ordre_questions().size(), q);
}

TEST(Perfectionnement, HistoryLineOnlyAfterMoreThanOneQuestion)
{
    SeededRandom random(5);
    Perfectionnement p(random);
    p.initialisation({"0203", "0204"}, 3, "09:15:02", 20, 20);
    p.pose_la_question(0);
    EXPECT_EQ(p.ligne_historique("09:20:00"), QString());
    p.pose_la_question(0);
    EXPECT_EQ(p.ligne_historique("09:20:00"), "\tPERFECTIONNEMENT de 09:15:02 à 09:20:00: niveau 3");
}

} // namespace
