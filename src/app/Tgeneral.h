#pragma once

#include "app/TgeneralUi.h"
#include "core/SessionInitializer.h"
#include "core/SessionState.h"

#include <QMainWindow>
#include <QPointer>

class HelpWindow;
class TAboutBox;
class TAcces_prof;
class TAdd;
class Tapprent;
class Tboite_message;
class Tchoix_libre;
class Tclavier;
class Tident;
class TObjectifs;
class Tperfect;
class TProfesseur;
class Treflechies;
class Treglages;
class TStats;
class Tstats_el;
class Ttest;
class TTexte;

// The main window: it stays open for the whole run, shows the pupil's name
// and class, the "  TEST" button, the activity buttons and menu, the
// progress graph and the best records, and opens every other window. It
// owns nothing of the rules: the session start-up, the pupil's history and
// the records are core objects whose results it shows.
class Tgeneral : public QMainWindow
{
    Q_OBJECT

public:
    // The other windows, each created once and then kept: handed over here
    // by whoever made them, or built the first time a command needs them
    // (setFenetresALaDemande). Without either, a command whose window is
    // missing is disabled.
    struct Fenetres
    {
        TTexte *texte = nullptr;
        TObjectifs *objectifs = nullptr;
        Tchoix_libre *choixLibre = nullptr;
        Treflechies *reflechies = nullptr;
        Tclavier *clavier = nullptr;
        TProfesseur *professeur = nullptr;
        Tident *ident = nullptr;
        Ttest *test = nullptr;
        Tapprent *apprent = nullptr;
        TAboutBox *aboutBox = nullptr;
        Tboite_message *boiteMessage = nullptr;
        Tperfect *perfect = nullptr;
        TAcces_prof *accesProf = nullptr;
        TStats *stats = nullptr;
        Tstats_el *statsEl = nullptr;
        Treglages *reglages = nullptr;
        TAdd *add = nullptr;
    };

    // When the window builds its controls: at once, or the first time it is
    // shown or its controls are asked for (the program: its start shows the
    // identification first, and building the menu bar, the buttons and the
    // graph would delay it for a window not yet on the screen).
    enum class Interface { Immediate, AuPremierAffichage };

    Tgeneral(SessionState &state, const Environment &env, QWidget *parent = nullptr,
             Interface interface = Interface::Immediate);
    ~Tgeneral() override;

    Fenetres &fenetres() { return m_fenetres; }
    // The program builds each window the first time a command needs it,
    // so that the start shows its first window without building the rest.
    void setFenetresALaDemande(bool aLaDemande);
    // Builds now every window not built yet (on demand only): for whoever
    // must look at all of them, as the tests that walk every window do.
    void construitFenetres();
    // Connects the windows handed over so far and enables their commands.
    void relieFenetres();

    SessionInitializer &initialiseur() { return m_initialiseur; }
    // The controls, built first when they were not yet.
    const TgeneralUi &ui();
    // Builds the controls before the window first shows.
    void setVisible(bool visible) override;

    // Session start-up (at start and at each change of pupil): configuration,
    // folders, records; then the title and the mode's buttons.
    void initialise_session();
    // Hides the pupil's name, class and test button and shows the
    // identification modally; the pupil's session then starts.
    void demande_identification();
    // The pupil is known: his history, objectives and graph.
    void initialise_session_eleve();
    // Records the session; false (after telling the user) when it failed.
    bool EnregistrementSeance();
    // Records the session and forgets the pupil. When the record failed the
    // user chooses between staying and losing this session; false when he
    // stays.
    bool changement_eleve();

    void affiche_graphique();
    void efface_graphique();
    void actualise_affichage_records();
    void lance_test();
    // The test window was hidden: the test step of the session is over.
    void etape_session_3();
    // "Etape suivante" of the test: the training, or the perfectionnement
    // when nothing is left to memorise.
    void etapeSuivante(bool perfectionnement);

    // Closing ends the run; the session is recorded first.
    void setFermetureSansQuestion(bool sansQuestion) { m_fermetureSansQuestion = sansQuestion; }
    // The desktop session ends or the system stops the program: nobody is
    // there to answer a question, so the windows still open are closed (an
    // activity hands over its line as it closes, a test not finished is
    // dropped), the session is recorded as it stands, and the program ends.
    // What goes wrong is written to "Tabulon.log" instead of a message box.
    void fin_de_session_systeme();

signals:
    // The window has closed for good: the program ends.
    void fermee();

protected:
    void closeEvent(QCloseEvent *event) override;
    void showEvent(QShowEvent *event) override;

private:
    void construitInterface();
    // Shows on the controls what the session start set: the mode's buttons,
    // the records, the objectives.
    void afficheSession();
    void connecteCommandes();
    void appliqueMode();
    void montre_test();
    // While the test window is open the pupil cannot be changed nor another
    // activity started: the test would write its results to the wrong pupil.
    void verrouilleCommandes(bool testOuvert);
    void testMontre();
    void montre_message(const QString &titre, const QString &commentaire);
    void ajusteNom();
    void actualiseObjectifs();
    QImage grilleEntree(int entree) const;
    // The window in that place, built first when the program builds on demand.
    template <typename T>
    T *besoin(T *Fenetres::*place);

    void ButtonChangerEleveClick();
    void test1Click();
    void button_testClick();
    void apprentissage1Click();
    void facileClick();
    void addition();
    void SpeedButton_el_6Click();
    void SpeedButton_2_9Click();
    void SpeedButton_1_10Click();
    void SpeedButton_12_19Click();
    void SpeedButton_el_11Click();
    void Professeur1Click();
    void Configuration1Click();
    void aide1Click();
    void Lisezmoi1Click();
    void N1Click();
    void Button_recordsClick();
    void Imprimer1Click();
    void ouvreObjectifs(const QString &type);

    SessionState &m_state;
    const Environment &m_env;
    SessionInitializer m_initialiseur;
    TgeneralUi m_ui;
    Fenetres m_fenetres;
    QPointer<HelpWindow> m_aide;
    bool m_aLaDemande = false;
    bool m_interface = false;        // the controls are built
    bool m_sessionInitialisee = false;
    bool m_recordsLocaux = false;
    bool m_fermetureSansQuestion = false;
    bool m_sansTemoin = false;   // ending with the system: no box, no question
    bool m_fermee = false;
};
