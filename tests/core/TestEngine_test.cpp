#include "core/Catalogue.h"
#include "core/Clock.h"
#include "core/RandomSource.h"
#include "core/TestEngine.h"

#include <gtest/gtest.h>

#include <QSet>

#include <algorithm>

namespace {

using Suite = TestEngine::Suite;

// Keeps the list order: j = i at every step of the shuffle.
class SansMelange final : public RandomSource
{
public:
    int uniform(int, int high) override { return high; }
};

struct Moteur
{
    explicit Moteur(RandomSource *r = nullptr)
        : random(r ? r : &sansMelange)
        , engine(clock, *random)
    {
    }

    // Types the text digit by digit, the first one delaiMs after the question
    // was shown, then lets the correction run.
    void repond(const QString &texte, qint64 delaiMs = 1600)
    {
        clock.advanceMs(delaiMs);
        for (int i = 1; i <= texte.size(); ++i) {
            engine.saisie(i, clock.monotonicMs());
            clock.advanceMs(120);
        }
        clock.advanceMs(300);
        ASSERT_TRUE(engine.corrige_reponse(texte));
    }
    QString juste() const { return Catalogue::resultat_produit(engine.code_courant()); }
    QString faux() const { return juste() == QLatin1String("1") ? QStringLiteral("2") : QStringLiteral("1"); }
    // The records of the test as 12-character pieces.
    QStringList enregistrements() const
    {
        QStringList liste;
        for (qsizetype i = 0; i < engine.enregistrements().size(); i += 12)
            liste << engine.enregistrements().mid(i, 12);
        return liste;
    }

    ManualClock clock;
    SansMelange sansMelange;
    RandomSource *random;
    TestEngine engine;
};

QStringList table(const QString &cles)
{
    return Catalogue::liste_produits_tables(cles);
}

} // namespace

TEST(TestEngine, ThreeWrongAnswersAreAskedAgainInTheOrderTheyWereFailed)
{
    SeededRandom random(7);
    Moteur m(&random);
    const QStringList produits = table("table_6,table_7");
    ASSERT_TRUE(m.engine.initialisation_test(produits, 15));
    const int n = int(produits.size());

    // The shuffle is a permutation of the positions.
    QList<int> ordre = m.engine.ordre_questions();
    ASSERT_EQ(ordre.size(), n);
    std::sort(ordre.begin(), ordre.end());
    for (int i = 0; i < n; ++i)
        EXPECT_EQ(ordre[i], i + 1);

    const QSet<int> rangsFaux = {2, 9, 5};
    QStringList echoues;
    for (int rang = 1; rang <= n; ++rang) {
        ASSERT_EQ(m.engine.avant_question(), Suite::Question);
        m.engine.pose_la_question();
        if (rangsFaux.contains(rang)) {
            echoues << m.engine.code_courant();
            m.repond(m.faux());
        } else {
            m.repond(m.juste());
        }
    }
    ASSERT_EQ(echoues.size(), 3);
    // The seed gives failures out of list order, so that order cannot pass for the failures' one.
    QStringList dansLaListe = echoues;
    std::sort(dansLaListe.begin(), dansLaListe.end(), [&](const QString &a, const QString &b) {
        return produits.indexOf(a) < produits.indexOf(b);
    });
    ASSERT_NE(dansLaListe, echoues);

    ASSERT_EQ(m.engine.avant_question(), Suite::DeuxiemeChance);
    EXPECT_EQ(m.engine.nombre_erreurs(), 3);
    const QString attendu = QString(13, ' ') + "Tu as fait 3 erreurs." + QString(13, ' ') + QChar(13) + QString(5, ' ')
                            + "Je te pose à nouveau les 3 questions." + QString(5, ' ') + QChar(13)
                            + QString(47, ' ') + QChar(13) + QString(21, ' ') + "PRÊT?" + QString(21, ' ');
    EXPECT_EQ(m.engine.texte_deuxieme_chance(), attendu);

    // The failed tiles are blue again with their bare caption; the others stay grey.
    int aRefaire = 0;
    for (const TuileTest &tuile : m.engine.tuiles()) {
        if (echoues.contains(tuile.code)) {
            EXPECT_FALSE(tuile.repondue);
            EXPECT_EQ(tuile.legende, Catalogue::ecrit_produit(tuile.code) + "=");
            ++aRefaire;
        } else {
            EXPECT_TRUE(tuile.repondue);
        }
    }
    EXPECT_EQ(aRefaire, 3);

    // The box closes: the second pass asks exactly the failed products, in the order of the failures.
    QStringList redemandes;
    for (int i = 0; i < 3; ++i) {
        if (i > 0) {
            ASSERT_EQ(m.engine.avant_question(), Suite::Question);
        }
        m.engine.pose_la_question();
        redemandes << m.engine.code_courant();
        m.repond(m.juste());
    }
    EXPECT_EQ(redemandes, echoues);
    EXPECT_EQ(m.engine.avant_question(), Suite::Fin);
    EXPECT_TRUE(m.engine.termine());
    EXPECT_EQ(m.enregistrements().size(), n + 3);
}

TEST(TestEngine, WrongAnswerInTheSecondPassIsRecordedButNotAskedAgain)
{
    Moteur m;
    ASSERT_TRUE(m.engine.initialisation_test(table("table_3"), 15));
    for (int rang = 1; rang <= 8; ++rang) {
        ASSERT_EQ(m.engine.avant_question(), Suite::Question);
        m.engine.pose_la_question();
        if (rang == 4)
            m.repond("99");
        else
            m.repond(m.juste());
    }
    ASSERT_EQ(m.engine.avant_question(), Suite::DeuxiemeChance);
    EXPECT_EQ(m.engine.lignes_deuxieme_chance().at(0).trimmed(), "Tu as fait 1 erreur.");
    EXPECT_EQ(m.engine.lignes_deuxieme_chance().at(1).trimmed(), "Je te pose à nouveau la question.");
    m.engine.pose_la_question();
    EXPECT_EQ(m.engine.code_courant(), "0305");
    m.repond("14");
    EXPECT_EQ(m.engine.avant_question(), Suite::Fin);

    const QStringList recs = m.enregistrements();
    ASSERT_EQ(recs.size(), 9);
    EXPECT_EQ(recs[3], "P03050160099");
    EXPECT_EQ(recs[8], "P03050160014");
    EXPECT_EQ(m.engine.dernier_rang(), 9);
}

TEST(TestEngine, PassAndTimeOutRecordNoAnswerAndGiveNoSecondChance)
{
    Moteur m;
    ASSERT_TRUE(m.engine.initialisation_test({"0709", "0804", "0203"}, 15));

    ASSERT_EQ(m.engine.avant_question(), Suite::Question);
    m.engine.pose_la_question();
    m.clock.advanceMs(2349);
    // A digit typed before "je ne sais pas" does not keep the question open.
    m.engine.saisie(1, m.clock.monotonicMs() - 500);
    EXPECT_TRUE(m.engine.je_ne_sais_pas(m.clock.monotonicMs()));
    EXPECT_FALSE(m.engine.je_ne_sais_pas(m.clock.monotonicMs()));
    EXPECT_EQ(m.engine.tuiles()[0].legende, "7×9=");
    EXPECT_TRUE(m.engine.tuiles()[0].repondue);

    ASSERT_EQ(m.engine.avant_question(), Suite::Question);
    m.engine.pose_la_question();
    m.clock.advanceMs(15000);
    EXPECT_TRUE(m.engine.temps_depasse());
    EXPECT_FALSE(m.engine.temps_depasse());
    EXPECT_FALSE(m.engine.corrige_reponse("32"));

    ASSERT_EQ(m.engine.avant_question(), Suite::Question);
    m.engine.pose_la_question();
    m.repond("6", 900);

    EXPECT_EQ(m.engine.avant_question(), Suite::Fin);
    EXPECT_EQ(m.enregistrements(), QStringList({"P07090230000", "P08041500000", "P02030090006"}));
}

TEST(TestEngine, TimeLimitRecordsTenTimesTheLimitAndCannotFollowAFullAnswer)
{
    for (int limite : {1, 15, 99}) {
        SCOPED_TRACE(limite);
        Moteur m;
        ASSERT_TRUE(m.engine.initialisation_test({"0709", "0709"}, limite));
        m.engine.avant_question();
        m.engine.pose_la_question();
        ASSERT_TRUE(m.engine.temps_depasse());
        EXPECT_EQ(m.engine.enregistrements(), "P0709" + Catalogue::complete_zeros(limite * 10, 3) + "0000");

        // A full answer stops the limit: a time-out arriving during the short
        // display before the correction records nothing more.
        m.engine.avant_question();
        m.engine.pose_la_question();
        m.engine.saisie(1, m.clock.monotonicMs() + 100);
        const TestEngine::Frappe f = m.engine.saisie(2, m.clock.monotonicMs() + 200);
        EXPECT_TRUE(f.complete);
        EXPECT_TRUE(f.arreteChrono);
        EXPECT_FALSE(m.engine.temps_depasse());
        EXPECT_TRUE(m.engine.corrige_reponse("63"));
        EXPECT_EQ(m.engine.enregistrements().size(), 24);
    }
}

TEST(TestEngine, AnswerFieldTakesTheExpectedDigitsAndLeadingZeroCountsWrong)
{
    Moteur m;
    ASSERT_TRUE(m.engine.initialisation_test({"0709", "0203", "0404"}, 15));
    m.engine.avant_question();
    m.engine.pose_la_question();
    EXPECT_EQ(m.engine.longueur_attendue(), 2);
    EXPECT_EQ(m.engine.texte_question(), " 7×9? ");
    m.clock.advanceMs(1000);
    TestEngine::Frappe f = m.engine.saisie(1, m.clock.monotonicMs());
    EXPECT_FALSE(f.complete);
    f = m.engine.saisie(2, m.clock.monotonicMs() + 80);
    EXPECT_TRUE(f.complete);
    ASSERT_TRUE(m.engine.corrige_reponse("06"));
    EXPECT_EQ(m.engine.enregistrements(), "P07090100006");
    EXPECT_EQ(m.engine.tuiles()[0].legende, "7×9=06");
    EXPECT_EQ(m.engine.dernier_rang(), 4);  // asked again

    m.engine.avant_question();
    m.engine.pose_la_question();
    EXPECT_EQ(m.engine.longueur_attendue(), 1);
    m.engine.avant_question();
    EXPECT_EQ(m.engine.code_courant(), "0404");
}

TEST(TestEngine, ResponseTimeIsTheFirstDigitAfterTheQuestionWasShown)
{
    Moteur m;
    ASSERT_TRUE(m.engine.initialisation_test({"0709"}, 15));
    m.engine.avant_question();
    m.engine.pose_la_question(10'000);
    m.engine.saisie(1, 11'234);
    EXPECT_EQ(m.engine.temps_reponse(), 1234);
    // Erasing back to one digit keeps the time; erasing everything times the new first digit.
    m.engine.saisie(0, 12'000);
    m.engine.saisie(1, 12'400);
    EXPECT_EQ(m.engine.temps_reponse(), 2400);
    // Less than a second of the limit left: the limit no longer applies.
    m.engine.saisie(0, 24'000);
    EXPECT_TRUE(m.engine.saisie(1, 24'100).arreteChrono);
    EXPECT_TRUE(m.engine.saisie(2, 24'200).complete);
    ASSERT_TRUE(m.engine.corrige_reponse("63"));
    EXPECT_EQ(m.engine.enregistrements(), "P07091410063");
}

TEST(TestEngine, TimeFieldRoundsHalfToEvenAndAlwaysKeepsTwelveCharacters)
{
    const struct
    {
        qint64 ms;
        const char *dixiemes;
    } cas[] = {{0, "000"},       {49, "000"},       {50, "000"},     {150, "002"},   {1549, "015"},
               {1550, "016"},    {1650, "016"},     {1651, "017"},   {99949, "999"}, {99950, "999"},
               {120000, "999"},  {-5, "000"},       {-120000, "000"}};
    for (const auto &c : cas) {
        SCOPED_TRACE(c.ms);
        const QString rec = TestEngine::enregistrement("0709", c.ms, 63);
        EXPECT_EQ(rec.size(), 12);
        EXPECT_EQ(rec.mid(5, 3), QString::fromLatin1(c.dixiemes));
    }

    // Through the engine: a 120 s answer and a key stamped before the question.
    Moteur m;
    ASSERT_TRUE(m.engine.initialisation_test({"0709", "0709"}, 200));
    m.engine.avant_question();
    m.engine.pose_la_question(0);
    m.engine.saisie(1, 120'000);
    m.engine.saisie(2, 120'100);
    m.engine.corrige_reponse("63");
    m.engine.avant_question();
    m.engine.pose_la_question(5000);
    m.engine.saisie(1, 4990);
    m.engine.saisie(2, 5100);
    m.engine.corrige_reponse("63");
    EXPECT_EQ(m.engine.enregistrements(), "P07099990063P07090000063");
}

TEST(TestEngine, RestartButtonIsOfferedFromQuestion4To41WhenTestingAllClassicTables)
{
    Moteur m;
    ASSERT_TRUE(m.engine.initialisation_test(table("tables_classiques"), 15));
    EXPECT_TRUE(m.engine.test_tables_classiques());
    QList<int> visibles;
    for (int rang = 1; rang <= 64; ++rang) {
        ASSERT_EQ(m.engine.avant_question(), Suite::Question);
        if (m.engine.recommencer_visible())
            visibles << rang;
        m.engine.pose_la_question();
        m.repond(m.juste(), 500);
    }
    ASSERT_EQ(visibles.size(), 38);
    EXPECT_EQ(visibles.first(), 4);
    EXPECT_EQ(visibles.last(), 41);
    EXPECT_EQ(m.engine.avant_question(), Suite::Fin);
    EXPECT_FALSE(m.engine.recommencer_visible());

    // Restarting discards every record and starts from question 1 again.
    ASSERT_TRUE(m.engine.initialisation_test(table("table_7,table_8"), 15));
    EXPECT_FALSE(m.engine.test_tables_classiques());
    EXPECT_TRUE(m.engine.enregistrements().isEmpty());
    EXPECT_EQ(m.engine.rang_question(), 0);
    EXPECT_EQ(m.engine.tuiles().size(), 16);
}

TEST(TestEngine, EveryExtendedProductWrongGrowsTheOrderBeyondAnyFixedSize)
{
    Moteur m;
    const QStringList produits = table("tables_etendues");
    const int n = int(produits.size());
    ASSERT_GT(n, 100);
    ASSERT_TRUE(m.engine.initialisation_test(produits, 15));
    Suite suite = m.engine.avant_question();
    int questions = 0;
    while (suite != Suite::Fin) {
        m.engine.pose_la_question();
        m.repond("1", 700);
        ++questions;
        suite = m.engine.avant_question();
    }
    EXPECT_EQ(questions, 2 * n);
    EXPECT_EQ(m.engine.dernier_rang(), 2 * n);
    EXPECT_EQ(m.engine.ordre_questions().size(), 2 * n);
    EXPECT_EQ(m.enregistrements().size(), 2 * n);
}

TEST(TestEngine, PauseHidesTheQuestionAndContinueRestartsItsTime)
{
    Moteur m;
    ASSERT_TRUE(m.engine.initialisation_test({"0709", "0203"}, 15));
    m.engine.avant_question();
    m.engine.pose_la_question();
    m.clock.advanceMs(4000);
    m.engine.pause();
    EXPECT_TRUE(m.engine.en_pause());
    // Nothing typed during the pause counts.
    EXPECT_FALSE(m.engine.saisie(2, m.clock.monotonicMs()).complete);
    EXPECT_FALSE(m.engine.corrige_reponse("63"));
    EXPECT_FALSE(m.engine.je_ne_sais_pas(m.clock.monotonicMs()));
    EXPECT_FALSE(m.engine.temps_depasse());
    m.clock.advanceMs(60000);
    m.engine.pose_la_question();
    EXPECT_FALSE(m.engine.en_pause());
    EXPECT_EQ(m.engine.code_courant(), "0709");
    m.repond("63", 2000);
    EXPECT_EQ(m.engine.enregistrements(), "P07090200063");
}

TEST(TestEngine, TestLineHasItsTwentyNineCharacterHead)
{
    Moteur m;
    m.clock.setNow(QDateTime(QDate(2026, 12, 5), QTime(9, 5, 3)));
    ASSERT_TRUE(m.engine.initialisation_test({"0709"}, 15));
    m.engine.avant_question();
    m.engine.pose_la_question();
    m.repond("63", 1600);
    const QString ligne = m.engine.ligne_test(m.engine.heure_actuelle());
    EXPECT_EQ(ligne, "\tTEST de 09:05:03 à 09:05:05 P07090160063");
    EXPECT_EQ(ligne.indexOf('P'), 29);
}

TEST(TestEngine, EmptyProductListNeverStartsATest)
{
    Moteur m;
    EXPECT_FALSE(m.engine.initialisation_test({}, 15));
    EXPECT_FALSE(m.engine.actif());
    EXPECT_EQ(m.engine.avant_question(), Suite::Fin);
    EXPECT_FALSE(m.engine.termine());
    m.engine.pose_la_question();
    EXPECT_FALSE(m.engine.question_ouverte());
    EXPECT_FALSE(m.engine.corrige_reponse("1"));
    EXPECT_TRUE(m.engine.enregistrements().isEmpty());
    EXPECT_TRUE(m.engine.tuiles().isEmpty());
}
