#include "core/AdditionsGame.h"
#include "core/GameRound.h"
#include "core/KeyboardGame.h"
#include "core/RandomSource.h"
#include "core/ReasonedTables.h"

#include <gtest/gtest.h>

#include <QSet>

namespace {

// Answers the draws it is given, in order, then walks each range in turn.
class ScriptedRandom final : public RandomSource
{
public:
    explicit ScriptedRandom(QList<int> values = {}) : m_values(std::move(values)) {}
    int uniform(int low, int high) override
    {
        if (m_values.isEmpty())
            return low + (m_suivant++ % (high - low + 1));
        return std::clamp(m_values.takeFirst(), low, high);
    }

private:
    QList<int> m_values;
    int m_suivant = 0;
};

// Types the expected answer, the first key `ms` after the question.
bool reponds(GameRound &round, const QString &texte, qint64 ms)
{
    bool complet = false;
    for (qsizetype i = 1; i <= texte.size(); ++i)
        complet = round.frappe(texte.left(i), round.affichage() + ms);
    return complet;
}

TEST(GameRound, AnswerIsCompleteAtTheExpectedLengthAndTimedFromItsFirstKey)
{
    SeededRandom random(1);
    GameRound round(random);
    round.demarre_etape({"a", "b"});
    round.setIndex(0);
    round.pose_question("450", 1000);
    EXPECT_FALSE(round.frappe("", 1500));
    EXPECT_FALSE(round.frappe("4", 1700));
    EXPECT_FALSE(round.frappe("45", 1900));
    EXPECT_TRUE(round.frappe("450", 2100));
    EXPECT_EQ(round.temps_reponse(), 700);
}

TEST(GameRound, MarksFollowSpeedAndEarlierFailures)
{
    struct Cas { qint64 ms; bool echecAvant; QString attendu; };
    const Cas cas[] = {{4000, false, "100"}, {4001, false, "50"}, {1000, true, "50"}};
    for (const Cas &c : cas) {
        SCOPED_TRACE(c.ms);
        SeededRandom random(1);
        GameRound round(random);
        round.demarre_etape({"7+5"});
        round.setIndex(0);
        round.pose_question("12", 0);
        if (c.echecAvant) {
            reponds(round, "13", 500);
            EXPECT_FALSE(round.traite_reponse("13", 4));
            EXPECT_EQ(round.marque(0), "0");
        }
        reponds(round, "12", c.ms);
        EXPECT_TRUE(round.traite_reponse("12", 4));
        EXPECT_EQ(round.marque(0), c.attendu);
    }
}

TEST(GameRound, FastRightAnswerAtWeightOneDoublesTheOthers)
{
    SeededRandom random(1);
    GameRound round(random);
    round.demarre_etape({"a", "b", "c"});
    round.poids().setWeight(1, 1);
    round.setIndex(1);
    round.pose_question("5", 0);
    reponds(round, "5", 1000);
    round.traite_reponse("5", 4);
    EXPECT_EQ(round.poids().weights(), (QList<int>{200, 1, 200}));
}

TEST(GameRound, DrawNeverRepeatsTheCurrentQuestion)
{
    SeededRandom random(7);
    GameRound round(random);
    round.demarre_etape({"a", "b", "c"});
    round.setIndex(2);
    for (int i = 0; i < 200; ++i) {
        const int tire = round.tire_au_sort();
        ASSERT_NE(tire, round.index());
        round.setIndex(tire);
    }
}

TEST(ReasonedTables, PatternsInOrderWhileRightAndFastThenByDraw)
{
    SeededRandom random(3);
    ReasonedTables jeu(random, 5);
    jeu.initialise_etape(1);
    EXPECT_EQ(ReasonedTables::motifs(1), (QStringList{"1×", "×1", "0×", "×0", "10×", "×10"}));
    EXPECT_EQ(ReasonedTables::motifs(2), (QStringList{"11×", "×11", "20×", "×20", "50×", "×50"}));
    for (int motif = 0; motif < 6; ++motif) {
        jeu.choisit_question(0);
        EXPECT_EQ(jeu.motif(), motif);
        reponds(jeu.round(), jeu.round().attendu(), 1000);
        EXPECT_TRUE(jeu.traite_reponse(jeu.round().attendu()).juste);
    }
    jeu.choisit_question(0);
    EXPECT_FALSE(jeu.ordre_initial());
    EXPECT_NE(jeu.motif(), 5);
}

TEST(ReasonedTables, WrongAnswerKeepsThePatternWithAnotherQuestion)
{
    ScriptedRandom random({7, 4});
    ReasonedTables jeu(random, 5);
    jeu.initialise_etape(1);
    for (int i = 0; i < 6; ++i) {
        jeu.choisit_question(0);
        reponds(jeu.round(), jeu.round().attendu(), 100);
        jeu.traite_reponse(jeu.round().attendu());
    }
    jeu.round().setIndex(5);
    jeu.round().setTempsReponse(100000);
    jeu.choisit_question(0);
    ASSERT_EQ(jeu.motif(), 5);
    const QString question = jeu.question();
    EXPECT_TRUE(question.endsWith("×10"));
    EXPECT_EQ(jeu.correction(), "10×" + question.chopped(3) + " = " + question + " = " + jeu.round().attendu());
    reponds(jeu.round(), "1", 100);
    ReasonedTables::Suite premiere = jeu.traite_reponse("1");
    EXPECT_TRUE(premiere.montreExplication);
    EXPECT_FALSE(premiere.montreCorrection);
    reponds(jeu.round(), "1", 100);
    EXPECT_TRUE(jeu.traite_reponse("1").montreCorrection);
    jeu.choisit_question(0);
    EXPECT_EQ(jeu.motif(), 5);
    EXPECT_NE(jeu.question(), question);
}

TEST(ReasonedTables, ThirteenQuickAnswersFillTheMeterAndAWrongOneTakesAQuarter)
{
    SeededRandom random(5);
    ReasonedTables jeu(random, 3);
    jeu.initialise_etape(2);
    int reponses = 0;
    while (!jeu.etape_terminee()) {
        jeu.choisit_question(0);
        reponds(jeu.round(), jeu.round().attendu(), 5999);
        EXPECT_FALSE(jeu.traite_reponse(jeu.round().attendu()).plusVite);
        ++reponses;
        ASSERT_LE(reponses, 13);
    }
    EXPECT_EQ(reponses, 13);
    EXPECT_EQ(jeu.score(), 100);
    jeu.choisit_question(0);
    reponds(jeu.round(), "9999", 100);
    jeu.traite_reponse("9999");
    EXPECT_EQ(jeu.score(), 75);
    jeu.round().setIndex(4);
    jeu.choisit_question(0);
    reponds(jeu.round(), jeu.round().attendu(), 6001);
    ReasonedTables::Suite lente = jeu.traite_reponse(jeu.round().attendu());
    EXPECT_TRUE(lente.plusVite);
    EXPECT_EQ(lente.delaiMs, 1000);
    EXPECT_EQ(jeu.score(), 75);
}

TEST(ReasonedTables, ExplanationAndThreeDigitAnswers)
{
    EXPECT_EQ(ReasonedTables::explication(2, 5),
              (QStringList{"", "Table de 50:", "", "50×2 = 100", "50×3 = 150", "50×4 = 200", "50×5 = 250",
                           "50×6 = 300", "etc.", ""}));
    EXPECT_EQ(ReasonedTables::explication(1, 2).at(1), "Table de 0:");
    ScriptedRandom random({9});
    ReasonedTables jeu(random, 5);
    jeu.initialise_etape(2);
    jeu.round().setIndex(3);   // the next pattern in order is "50×"
    jeu.choisit_question(0);
    EXPECT_EQ(jeu.question(), "50×9");
    EXPECT_EQ(jeu.round().attendu(), "450");
    EXPECT_EQ(jeu.correction(), "50×9 = 450");
}

TEST(AdditionsGame, PoolsOfTheSteps)
{
    SeededRandom random(11);
    AdditionsGame jeu(random);
    const QStringList etape2 = jeu.pool(2);
    EXPECT_EQ(etape2.mid(0, 9), (QStringList{"3+3", "4+3", "4+4", "5+3", "5+4", "5+5", "6+3", "6+4", "7+3"}));
    EXPECT_EQ(etape2.size(), 16);
    EXPECT_FALSE(etape2.contains("7+5"));
    EXPECT_EQ(QSet<QString>(etape2.begin(), etape2.end()).size(), 16);
    const QStringList etape5 = jeu.pool(5);
    EXPECT_EQ(etape5.size(), 20);
    EXPECT_TRUE(etape5.contains("7+5"));
    for (const QString &a : etape5)
        EXPECT_GT(a.section('+', 0, 0).toInt() + a.section('+', 1).toInt(), 10) << a.toStdString();
}

TEST(AdditionsGame, CountingStepAsksInTurnUntilEveryNumberWasRightAndQuick)
{
    SeededRandom random(11);
    AdditionsGame jeu(random);
    jeu.initialise_etape(0);
    const QList<int> ordre{5, 10, 15, 20, 5, 10};
    for (int i = 0; i < ordre.size(); ++i) {
        ASSERT_FALSE(jeu.etape_terminee());
        jeu.choisit_question(0);
        EXPECT_EQ(jeu.terme1(), ordre[i]);
        // The first "10" comes too late: the pass goes round again up to it.
        reponds(jeu.round(), jeu.round().attendu(), i == 1 ? 4500 : 1000);
        jeu.traite_reponse(jeu.round().attendu());
    }
    EXPECT_TRUE(jeu.etape_terminee());
    jeu.initialise_etape(1);
    for (int i = 0; i < 40; ++i) {
        jeu.choisit_question(0);
        const int attendu = jeu.round().pool().at(jeu.round().index()).toInt();
        EXPECT_LE(jeu.terme1(), attendu);
        EXPECT_GE(jeu.terme1(), attendu <= 4 ? 2 : attendu - 3);
    }
}

TEST(AdditionsGame, MeterOfTheLastStep)
{
    struct Cas { int avant; qint64 ms; bool juste; int apres; };
    const Cas cas[] = {{30, 6000, true, 30}, {20, 6000, true, 25}, {30, 3000, true, 35},
                       {98, 1000, true, 100}, {40, 1000, false, 30}};
    for (const Cas &c : cas) {
        SCOPED_TRACE(c.avant);
        SeededRandom random(2);
        AdditionsGame jeu(random);
        jeu.initialise_etape(5);
        jeu.setScore(c.avant);
        jeu.choisit_question(0);
        const QString texte = c.juste ? jeu.round().attendu() : QStringLiteral("99");
        reponds(jeu.round(), texte, c.ms);
        jeu.traite_reponse(texte);
        EXPECT_EQ(jeu.score(), c.apres);
    }
}

TEST(AdditionsGame, SlowOrHardAdditionBelowTenShowsTheCorrection)
{
    struct Cas { qint64 ms; int echecs; bool correction; bool plusVite; };
    const Cas cas[] = {{10001, 0, true, false}, {5000, 0, false, true}, {3000, 2, true, false}, {3000, 1, false, false}};
    for (const Cas &c : cas) {
        SCOPED_TRACE(c.ms);
        SeededRandom random(4);
        AdditionsGame jeu(random);
        jeu.initialise_etape(2);
        jeu.choisit_question(0);
        for (int i = 0; i < c.echecs; ++i) {
            reponds(jeu.round(), "0", 100);
            jeu.traite_reponse("0");
        }
        reponds(jeu.round(), jeu.round().attendu(), c.ms);
        const AdditionsGame::Suite suite = jeu.traite_reponse(jeu.round().attendu());
        EXPECT_EQ(suite.correction, c.correction);
        EXPECT_EQ(suite.plusVite, c.plusVite);
        EXPECT_EQ(suite.delaiMs, c.plusVite ? 2000 : 500);
    }
}

TEST(KeyboardGame, PoolsHoldOnlyTheirKeysAndNoRepeatedDigit)
{
    const QStringList un = KeyboardGame::pool(1);
    EXPECT_EQ(un.size(), 20);
    for (const QString &n : un) {
        EXPECT_NE(n[0], n[1]);
        EXPECT_TRUE(n[0] >= '1' && n[0] <= '5' && n[1] >= '1' && n[1] <= '5') << n.toStdString();
    }
    EXPECT_EQ(KeyboardGame::pool(2).size(), 81);
    EXPECT_TRUE(KeyboardGame::pool(2).contains("90"));
}

TEST(KeyboardGame, FirstCopyMovesTheMeterAroundThirtyDigitsAMinute)
{
    struct Cas { qint64 ms; int variation; bool plusVite; };
    const Cas cas[] = {{1000, 5, false}, {4000, 0, false}, {6000, -1, true}};
    for (const Cas &c : cas) {
        SCOPED_TRACE(c.ms);
        SeededRandom random(8);
        KeyboardGame jeu(random);
        jeu.initialise_jeu();
        jeu.choisit_question(500);
        const KeyboardGame::Suite suite = jeu.traite_reponse(500 + c.ms);
        EXPECT_EQ(suite.variation, c.variation);
        EXPECT_EQ(suite.plusVite, c.plusVite);
        EXPECT_EQ(suite.delaiMs, c.plusVite ? 1000 : 500);
        EXPECT_EQ(jeu.score(), std::max(0, c.variation));
        EXPECT_EQ(jeu.vitesse(), int(2 * 60000 / c.ms));
    }
}

TEST(KeyboardGame, RefusedDigitAndSteadySpeedOverTenCopies)
{
    SeededRandom random(9);
    KeyboardGame jeu(random);
    jeu.initialise_jeu();
    jeu.choisit_question(0);
    const QString cible = jeu.cible();
    EXPECT_TRUE(jeu.chiffre_accepte(cible.left(1)));
    EXPECT_FALSE(jeu.chiffre_accepte(QString(cible[1])));
    EXPECT_FALSE(jeu.chiffre_accepte(cible + "1"));
    // 60 digits a minute sustained: after ten copies the meter heads for 100, 5 at a time.
    qint64 t = 0;
    int copies = 0;
    while (jeu.etape() == 1 || !jeu.etape_terminee()) {
        jeu.choisit_question(t);
        t += 2000;
        jeu.traite_reponse(t);
        ++copies;
        if (jeu.etape() == 1 && jeu.etape_terminee())
            jeu.initialise_etape(2);
        ASSERT_LT(copies, 100);
    }
    EXPECT_EQ(jeu.vitesse(), 60);
    EXPECT_EQ(jeu.score(), 100);
    EXPECT_FALSE(jeu.montre_recopie());
}

} // namespace
