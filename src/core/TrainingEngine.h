#pragma once

#include "core/LearningPlan.h"
#include "core/WeightedDraw.h"

#include <QList>
#include <QString>
#include <QStringList>

class Clock;
class RandomSource;

// The training: runs the steps of the learning plan. A new block is shown
// with its answers, asked once in order (again while there are errors),
// then at random; a revision is asked at random from the start. A step ends
// when every item of its range is green: answered right within the
// acceptable time five times in a row during random questioning. The random
// draw favours hard items through WeightedDraw. The window shows what this
// engine answers and owns the timers; every decision is here.
class TrainingEngine
{
public:
    enum class Couleur { Gris, Rouge, Orange, Vert };

    struct Reglages
    {
        QString ordre;              // "valeur produit", "par tables" or anything (unchanged)
        int tailleBloc = LearningPlan::kTailleBlocParDefaut;
        QString formule = LearningPlan::kFormuleParDefaut;
        int tempsAcceptable = 3;    // seconds
    };

    // What follows an answer or a message.
    enum class Suite {
        Question,       // ask item_courant()
        FinPassage,     // an ordered pass ended: show erreurs_passage()
        NouvelleEtape,  // a new step started: show its panel and the prompt
        Fin             // the plan is finished
    };

    struct Question
    {
        QString texte;          // "6×8 = "
        int longueur = 1;       // digits expected
    };

    struct Evaluation
    {
        bool juste = false;
        bool saisie = false;            // something was typed
        QString correction;             // "6×8 = 8×6 = 48", for a wrong answer
        QString commentaire;            // "oui", "Plus vite!", "PLUS VITE!!!"
        bool montrer_commentaire = false;
        int periode = 250;              // pause after a right answer, ms
        bool exigence_nouvelle = false; // the "Plus vite !!!" box is due
        QString enregistrement;         // "t:Paaaabbbtttrrrr"
    };

    TrainingEngine(const Clock &clock, RandomSource &random);

    // Orders the items, cuts them into blocks, generates the plan and resets
    // every per-item list; the training starts again from its first step.
    // A block size or formula that gives no sound plan is replaced by the
    // default; the returned texts say so (empty when all was sound).
    QStringList construit_plan(const QStringList &items, const Reglages &reglages);
    // Starts the first step (or the next one); false past the last entry.
    bool initialise_etape();

    // BitBtn3: questioning starts (or an ordered pass starts again).
    void debut_questionnement();
    // Chooses how the current item is shown; the display time is taken now
    // and again by question_affichee() once the window has painted it.
    Question pose_la_question();
    void question_affichee();
    // The first digit was typed at this monotonic instant.
    void premier_chiffre(qint64 instantMs);
    // "je ne sais pas" at this instant: the empty answer is evaluated.
    Evaluation je_passe(qint64 instantMs);
    Evaluation traite_la_reponse(const QString &texte);
    // After the pause of a right answer.
    Suite suite_apres_bonne_reponse();
    // After "OK" on a correction.
    Suite choisit_la_question();

    // "\tAPPRENTISSAGE de HH:MM:SS à HH:MM:SS: R répétitions" for the work
    // since the plan was built or the last line was taken; empty when it
    // holds one answer or none. Taking it starts the count again.
    QString prend_ligne_historique();

    const QStringList &items() const { return m_items; }
    const QList<int> &fins_de_blocs() const { return m_fins; }
    const QList<int> &plan() const { return m_plan; }
    const Reglages &reglages() const { return m_reglages; }
    int etape_courante() const { return m_etape; }
    int premier_item() const { return m_etendue.premier; }
    int dernier_item() const { return m_etendue.dernier; }
    int item_courant() const { return m_itemCourant; }
    bool phase_ordonnee() const { return m_phaseOrdonnee; }
    bool nouveau_bloc() const;
    bool exigence_vitesse() const { return m_exigenceVitesse; }
    bool facteurs_inverses() const { return m_facteursInverses; }
    bool apprentissage_fini() const { return m_fini; }
    int erreurs_passage() const { return m_erreursPassage; }
    qint64 temps_reponse() const { return m_tempsReponse; }

    Couleur couleur(int item) const { return m_couleurs.at(item); }
    int batons(int item) const;
    bool statut_ok(int item) const { return m_statutsOk.at(item); }
    qint64 succes_rapides(int item) const { return m_succes.at(item); }
    const QStringList &reponses(int item) const { return m_reponses.at(item); }
    const QList<int> &vitesses(int item) const { return m_vitesses.at(item); }
    const WeightedDraw &frequences() const { return m_frequences; }
    bool module_assimile() const;

    // The record's time field: tenths of a second, rounded, at most 999.
    static QString champ_temps(qint64 tempsReponseMs);

private:
    Evaluation evalue(const QString &texte);
    void actualise_compteurs(bool juste, Evaluation &e);
    QString heure_texte() const;

    const Clock &m_clock;
    RandomSource &m_random;
    Reglages m_reglages;

    QStringList m_items;
    QList<int> m_fins;
    QList<int> m_plan;
    WeightedDraw m_frequences;
    QList<bool> m_statutsOk;
    QList<QStringList> m_reponses;
    QList<QList<int>> m_vitesses;
    QList<qint64> m_succes;
    QList<Couleur> m_couleurs;

    int m_etape = 0;
    int m_dernierBloc = -1;
    LearningPlan::Etendue m_etendue;
    int m_itemCourant = 0;
    bool m_phaseOrdonnee = true;
    bool m_derniereReponseJuste = false;
    bool m_exigenceVitesse = false;
    bool m_facteursInverses = false;
    bool m_inversionPermise = false;
    bool m_fini = false;
    int m_erreursPassage = 0;
    QString m_commentaire;
    int m_periode = 250;

    qint64 m_debutMs = 0;
    QString m_debutTexte;
    qint64 m_affichageMs = 0;
    qint64 m_tempsReponse = 0;
};
