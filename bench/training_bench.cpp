// Work of the training on the 109 extended products: building the plan and
// the tiles, and drawing and asking the next question. The pupil must never
// wait on it beyond the training's own pauses; each figure should stay well
// under 2 ms. Runs on the offscreen platform unless another is chosen.
//
//   training_bench [runs]      (default 200)

#include "core/Catalogue.h"
#include "core/Clock.h"
#include "core/LearningPlan.h"
#include "core/RandomSource.h"
#include "core/SessionState.h"
#include "core/TrainingEngine.h"
#include "training/Tapprent.h"
#include "widgets/Dialogs.h"

#include <QApplication>
#include <QElapsedTimer>

#include <algorithm>
#include <cstdio>
#include <functional>

namespace {

void rapporte(const char *nom, QList<qint64> ns)
{
    std::sort(ns.begin(), ns.end());
    std::printf("%-46s median %7.3f ms   90%% %7.3f ms   worst %7.3f ms   (%lld runs)\n", nom,
                ns[ns.size() / 2] / 1e6, ns[ns.size() * 9 / 10] / 1e6, ns.last() / 1e6,
                static_cast<long long>(ns.size()));
}

QList<qint64> mesure(int runs, const std::function<void()> &travail)
{
    QList<qint64> ns;
    for (int i = 0; i < runs; ++i) {
        QElapsedTimer t;
        t.start();
        travail();
        ns << t.nsecsElapsed();
    }
    return ns;
}

// Drives the engine with fast right answers until its last step, the
// revision of every block: the widest range a draw can meet.
void jusqu_a_la_derniere_etape(TrainingEngine &moteur, ManualClock &clock)
{
    TrainingEngine::Suite suite = TrainingEngine::Suite::NouvelleEtape;
    while (moteur.etape_courante() + 1 < moteur.plan().size()) {
        if (suite != TrainingEngine::Suite::Question)
            moteur.debut_questionnement();
        moteur.pose_la_question();
        clock.advanceMs(400);
        moteur.premier_chiffre(clock.monotonicMs());
        moteur.traite_la_reponse(Catalogue::resultat_produit(moteur.items().at(moteur.item_courant())));
        suite = moteur.suite_apres_bonne_reponse();
    }
    moteur.debut_questionnement();
}

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const int runs = argc > 1 ? std::max(1, atoi(argv[1])) : 200;
    Dialogs::setTestMode(true);

    QStringList items = Catalogue::liste_produits_tables(QStringLiteral("tables_etendues"));
    std::printf("%lld items\n", static_cast<long long>(items.size()));

    ManualClock clock;
    SeededRandom random(2026);
    TrainingEngine moteur(clock, random);
    TrainingEngine::Reglages r;
    r.ordre = QStringLiteral("valeur produit");
    rapporte("plan (order, blocks, steps, first step)", mesure(runs, [&] {
                 moteur.construit_plan(items, r);
                 moteur.initialise_etape();
             }));
    rapporte("tile places", mesure(runs, [&] { LearningPlan::disposition_tuiles(moteur.fins_de_blocs(), 40); }));

    jusqu_a_la_derniere_etape(moteur, clock);
    std::printf("last step: items %d..%d of plan entry %d\n", moteur.premier_item(), moteur.dernier_item(),
                moteur.plan().last());
    rapporte("next question (draw, then ask)", mesure(runs * 10, [&] {
                 moteur.choisit_la_question();
                 moteur.pose_la_question();
             }));

    SessionState s;
    s.temps_acceptable = 3;
    s.ordre_rangement_items = r.ordre;
    s.nombre_items_par_bloc = 3;
    s.formule_recursive = LearningPlan::kFormuleParDefaut;
    s.produits_a_memoriser = items;
    Environment env;
    env.clock = &clock;
    env.random = &random;
    Tapprent fenetre(s, env);
    fenetre.show();
    app.processEvents();
    rapporte("window: plan, tiles and step panel rebuilt", mesure(std::max(runs / 4, 1), [&] {
                 fenetre.reinitialisation_apprentissage();
             }));
    // Closing hands over the line and drops the rows; the next opening builds all again.
    rapporte("window: closed and opened again", mesure(std::max(runs / 4, 1), [&] {
                 fenetre.reject();
                 fenetre.show();
             }));
    fenetre.hide();
    return 0;
}
