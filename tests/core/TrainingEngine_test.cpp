#include "core/Catalogue.h"
#include "core/Clock.h"
#include "core/RandomSource.h"
#include "core/TrainingEngine.h"

#include <gtest/gtest.h>

namespace {

using Suite = TrainingEngine::Suite;
using Couleur = TrainingEngine::Couleur;

struct Banc
{
    ManualClock clock{QDateTime(QDate(2026, 12, 10), QTime(14, 0, 0))};
    SeededRandom random{11};
    TrainingEngine moteur{clock, random};

    explicit Banc(const QStringList &items, int taille = 3, const QString &formule = QStringLiteral("1.1.1.3"))
    {
        TrainingEngine::Reglages r;
        r.ordre = QStringLiteral("valeur produit");
        r.tailleBloc = taille;
        r.formule = formule;
        r.tempsAcceptable = 3;
        notes = moteur.construit_plan(items, r);
        EXPECT_TRUE(moteur.initialise_etape());
    }

    // Asks the current item and answers it after delaiMs, right or wrong.
    TrainingEngine::Evaluation repond(bool juste, qint64 delaiMs = 1000)
    {
        moteur.pose_la_question();
        clock.advanceMs(delaiMs);
        moteur.premier_chiffre(clock.monotonicMs());
        const QString valeur = Catalogue::resultat_produit(moteur.items().at(moteur.item_courant()));
        return moteur.traite_la_reponse(juste ? valeur : QStringLiteral("1"));
    }

    QStringList notes;
};

} // namespace

TEST(TrainingEngine, OrderedPassWithOneErrorStepsBackThenAsksAgainInOrder)
{
    Banc b({"0203", "0204", "0205"});
    ASSERT_TRUE(b.moteur.nouveau_bloc());
    b.moteur.debut_questionnement();
    QList<int> demandes;
    const bool reponses[] = {true, true, false, true, true};
    Suite suite = Suite::Question;
    for (bool juste : reponses) {
        demandes << b.moteur.item_courant();
        b.repond(juste);
        suite = juste ? b.moteur.suite_apres_bonne_reponse() : b.moteur.choisit_la_question();
    }
    EXPECT_EQ(demandes, (QList<int>{0, 1, 2, 1, 2}));
    ASSERT_EQ(suite, Suite::FinPassage);
    EXPECT_EQ(b.moteur.erreurs_passage(), 1);
    EXPECT_FALSE(b.moteur.statut_ok(2));
    EXPECT_TRUE(b.moteur.phase_ordonnee());
    EXPECT_EQ(b.moteur.item_courant(), 0);
    // Weights move only in random questioning; no item turns green in order.
    EXPECT_EQ(b.moteur.frequences().weights(), (QList<int>{100, 100, 100}));
    EXPECT_EQ(b.moteur.couleur(2), Couleur::Rouge);

    b.moteur.debut_questionnement();
    for (int i = 0; i < 3; ++i) {
        b.repond(true);
        suite = b.moteur.suite_apres_bonne_reponse();
    }
    EXPECT_EQ(suite, Suite::FinPassage);
    EXPECT_EQ(b.moteur.erreurs_passage(), 0);
    EXPECT_FALSE(b.moteur.phase_ordonnee());
}

TEST(TrainingEngine, WholePlanRunsToTheEndWithoutImmediateRepeats)
{
    // 7 items in blocks of 2: blocks end at 2, 4, 6 and the plan is 1,1,1,3.
    Banc b({"0203", "0204", "0205", "0206", "0207", "0208", "0209"}, 2);
    EXPECT_EQ(b.moteur.plan(), (QList<int>{1, 1, 1, 3}));
    int etapes = 1;
    int questions = 0;
    Suite suite = Suite::NouvelleEtape;
    while (suite != Suite::Fin && questions < 2000) {
        if (suite == Suite::NouvelleEtape || suite == Suite::FinPassage)
            b.moteur.debut_questionnement();
        const int avant = b.moteur.item_courant();
        const bool aleatoire = !b.moteur.phase_ordonnee();
        b.repond(true, 800);
        ++questions;
        suite = b.moteur.suite_apres_bonne_reponse();
        if (suite == Suite::NouvelleEtape) {
            ++etapes;
        } else if (suite == Suite::Question && aleatoire && b.moteur.dernier_item() > b.moteur.premier_item()) {
            ASSERT_NE(b.moteur.item_courant(), avant);
        }
    }
    ASSERT_EQ(suite, Suite::Fin);
    EXPECT_EQ(etapes, 4);
    EXPECT_TRUE(b.moteur.apprentissage_fini());
    // The last step revised all seven: every one is green with full bars.
    for (int i = 0; i < 7; ++i) {
        EXPECT_EQ(b.moteur.couleur(i), Couleur::Vert);
        EXPECT_EQ(b.moteur.batons(i), 5);
    }
}

TEST(TrainingEngine, ColoursWeightsAndCommentsFollowEachAnswer)
{
    Banc b({"0607", "0809"});
    b.moteur.debut_questionnement();
    b.repond(true);
    b.moteur.suite_apres_bonne_reponse();
    b.repond(true);
    ASSERT_EQ(b.moteur.suite_apres_bonne_reponse(), Suite::FinPassage);
    b.moteur.debut_questionnement();
    ASSERT_FALSE(b.moteur.phase_ordonnee());

    // Fast right answers: red, red, orange at 3, green at 5; the weight halves.
    const int item = b.moteur.item_courant();
    const Couleur couleurs[] = {Couleur::Rouge, Couleur::Rouge, Couleur::Orange, Couleur::Orange, Couleur::Vert};
    int poids = 100;
    for (Couleur attendue : couleurs) {
        const TrainingEngine::Evaluation e = b.repond(true, 500);
        poids /= 2;
        EXPECT_EQ(b.moteur.couleur(item), attendue);
        EXPECT_EQ(b.moteur.frequences().weight(item), poids);
        EXPECT_EQ(e.commentaire, QStringLiteral("oui"));
        EXPECT_EQ(e.periode, 300);
        EXPECT_FALSE(e.montrer_commentaire);
    }
    // A wrong answer doubles the weight and turns the green item red at once.
    const TrainingEngine::Evaluation faux = b.repond(false);
    EXPECT_EQ(b.moteur.couleur(item), Couleur::Rouge);
    EXPECT_EQ(b.moteur.succes_rapides(item), 0);
    EXPECT_EQ(b.moteur.frequences().weight(item), poids * 2);
    EXPECT_EQ(faux.correction, Catalogue::ecrit_produit(b.moteur.items().at(item)) + " = "
                                   + Catalogue::resultat_produit(b.moteur.items().at(item)));
    EXPECT_TRUE(faux.saisie);
}

TEST(TrainingEngine, SlowAnswersRaiseTheSpeedRequirementOnce)
{
    Banc b({"0607", "0809"});
    b.moteur.debut_questionnement();
    b.repond(true);
    b.moteur.suite_apres_bonne_reponse();
    b.repond(true);
    b.moteur.suite_apres_bonne_reponse();
    b.moteur.debut_questionnement();
    // Answers of 4.5 s (speed 13) on the item answered once in order: its
    // seventh speed raises the requirement.
    int levees = 0;
    TrainingEngine::Evaluation e;
    for (int i = 0; i < 8; ++i) {
        e = b.repond(true, 4500);
        levees += e.exigence_nouvelle ? 1 : 0;
        if (i == 5) {
            EXPECT_TRUE(e.exigence_nouvelle);
        }
    }
    EXPECT_EQ(levees, 1);
    EXPECT_TRUE(b.moteur.exigence_vitesse());
    EXPECT_EQ(e.commentaire, QStringLiteral("Plus vite!"));
    EXPECT_EQ(e.periode, 600);
    EXPECT_TRUE(e.montrer_commentaire);
    e = b.repond(true, 6001);
    EXPECT_EQ(e.commentaire, QStringLiteral("PLUS VITE!!!"));
    EXPECT_EQ(e.periode, 1200);
    e = b.repond(true, 6000);
    EXPECT_EQ(e.commentaire, QStringLiteral("Plus vite!"));
}

namespace {
class ScriptedRandom final : public RandomSource
{
public:
    int uniform(int low, int) override { return m_valeurs.isEmpty() ? low : m_valeurs.takeFirst(); }
    QList<int> m_valeurs;
};
} // namespace

TEST(TrainingEngine, RecordsAndCorrectionsOfSwappedFactors)
{
    ManualClock clock(QDateTime(QDate(2026, 12, 10), QTime(14, 0, 0)));
    ScriptedRandom random;
    TrainingEngine moteur(clock, random);
    TrainingEngine::Reglages r;
    r.ordre = QStringLiteral("valeur produit");
    moteur.construit_plan({"0806", "0212"}, r);
    ASSERT_TRUE(moteur.initialise_etape());
    moteur.debut_questionnement();
    // 2×12 comes first (value 24); its inverse 12×2 is no item, so the coin decides.
    clock.advanceMs(12345);
    random.m_valeurs = {1};
    const TrainingEngine::Question q = moteur.pose_la_question();
    EXPECT_EQ(q.texte, QStringLiteral("12×2 = "));
    EXPECT_EQ(q.longueur, 2);
    clock.advanceMs(2449);
    moteur.premier_chiffre(clock.monotonicMs());
    const TrainingEngine::Evaluation e = moteur.traite_la_reponse(QStringLiteral("15"));
    EXPECT_EQ(e.correction, QStringLiteral("12×2 = 2×12 = 24"));
    EXPECT_EQ(e.enregistrement, QStringLiteral("123:P0212024") + QStringLiteral("0015"));
    EXPECT_EQ(moteur.vitesses(0), QList<int>{0});

    moteur.choisit_la_question();
    moteur.pose_la_question();
    const TrainingEngine::Evaluation passe = moteur.je_passe(clock.monotonicMs() + 120000);
    EXPECT_FALSE(passe.saisie);
    EXPECT_TRUE(passe.enregistrement.endsWith(QStringLiteral("9990000")));

    const struct { qint64 ms; const char *champ; } temps[] = {
        {0, "000"}, {49, "000"}, {50, "001"}, {2449, "024"}, {99949, "999"}, {99999, "999"}, {150000, "999"}};
    for (const auto &t : temps)
        EXPECT_EQ(TrainingEngine::champ_temps(t.ms), QLatin1String(t.champ)) << t.ms;
}

TEST(TrainingEngine, HistoryLineCountsAllTheWorkSinceThePlanWasBuilt)
{
    Banc b({"0203", "0204", "0205", "0206", "0207", "0208"});
    b.moteur.debut_questionnement();
    b.repond(true);
    // One answer is not worth a line.
    EXPECT_TRUE(b.moteur.prend_ligne_historique().isEmpty());

    // Three answers in the first block, then the second step: all count.
    for (int i = 0; i < 3; ++i) {
        b.repond(true);
        b.moteur.suite_apres_bonne_reponse();
    }
    b.moteur.debut_questionnement();
    while (b.moteur.etape_courante() == 0) {
        b.repond(true, 500);
        b.moteur.suite_apres_bonne_reponse();
    }
    ASSERT_EQ(b.moteur.premier_item(), 3);
    b.moteur.debut_questionnement();
    b.repond(false);
    b.clock.setNow(QDateTime(QDate(2026, 12, 10), QTime(14, 25, 7)));
    const QString ligne = b.moteur.prend_ligne_historique();
    EXPECT_TRUE(ligne.startsWith(QStringLiteral("\tAPPRENTISSAGE de 14:00:0")));
    EXPECT_TRUE(ligne.contains(QStringLiteral(" à 14:25:07: ")));
    const int repetitions = ligne.section(QStringLiteral(": "), -1).section(u' ', 0, 0).toInt();
    EXPECT_GT(repetitions, 3 + 5);
    EXPECT_TRUE(ligne.endsWith(QStringLiteral(" répétitions")));
    // Taken once: the next line starts where this one ended.
    b.repond(true);
    b.repond(true);
    EXPECT_TRUE(b.moteur.prend_ligne_historique().startsWith(QStringLiteral("\tAPPRENTISSAGE de 14:25:07 à ")));
}

TEST(TrainingEngine, UnsoundSettingsFallBackToTheDefaults)
{
    const QStringList items = {"0203", "0204", "0205", "0206", "0207", "0208", "0209"};
    for (const char *formule : {"1.1.1", "1.0", "x", "4.1.3"}) {
        SCOPED_TRACE(formule);
        Banc b(items, 7, QString::fromUtf8(formule));
        EXPECT_EQ(b.notes.size(), 2);
        EXPECT_EQ(b.moteur.reglages().tailleBloc, 3);
        EXPECT_EQ(b.moteur.reglages().formule, QStringLiteral("1.1.1.3"));
        EXPECT_EQ(b.moteur.plan(), (QList<int>{1, 1, 2}));
    }
    Banc sain(items, 2, QStringLiteral("1.1.2.1.3"));
    EXPECT_TRUE(sain.notes.isEmpty());
}
