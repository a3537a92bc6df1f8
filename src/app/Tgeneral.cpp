#include "app/Tgeneral.h"

#include "app/HelpWindow.h"
#include "app/ProgressGraph.h"
#include "app/Tident.h"
#include "core/Catalogue.h"
#include "core/Clock.h"
#include "core/HistoryLines.h"
#include "core/MonopostCleanup.h"
#include "core/Paths.h"
#include "core/ProgressGraphLayout.h"
#include "core/PupilSession.h"
#include "core/RecordsList.h"
#include "core/StartupLog.h"
#include "core/TeacherAccess.h"
#include "core/TestConclusion.h"
#include "core/TextFile.h"
#include "platform/LockKeys.h"
#include "stats/TStats.h"
#include "stats/Tstats_el.h"
#include "teacher/TAcces_prof.h"
#include "teacher/TProfesseur.h"
#include "teacher/Treglages.h"
#include "timedtest/TTexte.h"
#include "timedtest/Ttest.h"
#include "training/TAdd.h"
#include "training/TObjectifs.h"
#include "training/Tapprent.h"
#include "training/Tchoix_libre.h"
#include "training/Tclavier.h"
#include "training/Tperfect.h"
#include "training/Treflechies.h"
#include "widgets/DesignScaler.h"
#include "widgets/Dialogs.h"
#include "widgets/GridPainter.h"
#include "widgets/TAboutBox.h"
#include "widgets/Tboite_message.h"
#include "widgets/TestReportPainter.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QScreen>
#include <QToolButton>

#include <type_traits>

namespace {

const QString kTitreEnregistrement = QStringLiteral("Enregistrement impossible");

// Restores the arrow cursor however the block is left.
struct CurseurAttente
{
    CurseurAttente() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~CurseurAttente() { QApplication::restoreOverrideCursor(); }
};

} // namespace

Tgeneral::Tgeneral(SessionState &state, const Environment &env, QWidget *parent, Interface interface)
    : QMainWindow(parent), m_state(state), m_env(env), m_initialiseur(state, env)
{
    setObjectName(QStringLiteral("Tgeneral"));
    setAccessibleName(QStringLiteral("Tabulon"));
    setWindowTitle(QStringLiteral("Tabulon"));
    setMinimumSize(800, 600);
    resize(800, 600);
    if (interface == Interface::Immediate)
        construitInterface();
}

Tgeneral::~Tgeneral() = default;

const TgeneralUi &Tgeneral::ui()
{
    construitInterface();
    return m_ui;
}

void Tgeneral::setVisible(bool visible)
{
    if (visible)
        construitInterface();
    QMainWindow::setVisible(visible);
}

void Tgeneral::construitInterface()
{
    if (m_interface)
        return;
    m_interface = true;
    m_ui.setupUi(this);
    m_ui.placeComposants();
    m_ui.graphique->setGrille([this](int entree) { return grilleEntree(entree); });
    connect(m_ui.graphique, &ProgressGraph::imprimerDemande, this, &Tgeneral::Imprimer1Click);
    connecteCommandes();
    m_ui.Label_nom->hide();
    m_ui.Label_classe->hide();
    m_ui.Label_clique_ici->hide();
    m_ui.button_test->hide();
    m_ui.graphique->hide();
    m_ui.Button_records->hide();
    relieFenetres();
    if (m_sessionInitialisee)
        afficheSession();
}

void Tgeneral::connecteCommandes()
{
    connect(m_ui.ButtonChangerEleve, &QToolButton::clicked, this, &Tgeneral::ButtonChangerEleveClick);
    connect(m_ui.ChangerEleve1, &QAction::triggered, this, &Tgeneral::ButtonChangerEleveClick);
    connect(m_ui.SpeedButton_test, &QToolButton::clicked, this, &Tgeneral::test1Click);
    connect(m_ui.test1, &QAction::triggered, this, &Tgeneral::test1Click);
    connect(m_ui.button_test, &QPushButton::clicked, this, &Tgeneral::button_testClick);
    connect(m_ui.SpeedButton_apprentissage, &QToolButton::clicked, this, &Tgeneral::apprentissage1Click);
    connect(m_ui.apprentissage1, &QAction::triggered, this, &Tgeneral::apprentissage1Click);
    connect(m_ui.SpeedButton_perfectionnement, &QToolButton::clicked, this, &Tgeneral::facileClick);
    connect(m_ui.facile, &QAction::triggered, this, &Tgeneral::facileClick);
    connect(m_ui.SpeedButton_additions, &QToolButton::clicked, this, &Tgeneral::addition);
    connect(m_ui.Additions1, &QAction::triggered, this, &Tgeneral::addition);
    connect(m_ui.SpeedButton_el_6, &QToolButton::clicked, this, &Tgeneral::SpeedButton_el_6Click);
    connect(m_ui.Clavier1, &QAction::triggered, this, &Tgeneral::SpeedButton_el_6Click);
    connect(m_ui.SpeedButton_2_9, &QToolButton::clicked, this, &Tgeneral::SpeedButton_2_9Click);
    connect(m_ui.Tablesclassiques1, &QAction::triggered, this, &Tgeneral::SpeedButton_2_9Click);
    connect(m_ui.SpeedButton_1_10, &QToolButton::clicked, this, &Tgeneral::SpeedButton_1_10Click);
    connect(m_ui.Tablesraisonnees1, &QAction::triggered, this, &Tgeneral::SpeedButton_1_10Click);
    connect(m_ui.SpeedButton_12_19, &QToolButton::clicked, this, &Tgeneral::SpeedButton_12_19Click);
    connect(m_ui.Tablesetendues1, &QAction::triggered, this, &Tgeneral::SpeedButton_12_19Click);
    connect(m_ui.SpeedButton_el_11, &QToolButton::clicked, this, &Tgeneral::SpeedButton_el_11Click);
    connect(m_ui.Objectifs1, &QAction::triggered, this, &Tgeneral::SpeedButton_el_11Click);
    connect(m_ui.SpeedButton_professeur, &QToolButton::clicked, this, &Tgeneral::Professeur1Click);
    connect(m_ui.Professeur1, &QAction::triggered, this, &Tgeneral::Professeur1Click);
    connect(m_ui.SpeedButton_reglages, &QToolButton::clicked, this, &Tgeneral::Configuration1Click);
    connect(m_ui.Configuration1, &QAction::triggered, this, &Tgeneral::Configuration1Click);
    connect(m_ui.aide1, &QAction::triggered, this, &Tgeneral::aide1Click);
    connect(m_ui.Lisezmoi1, &QAction::triggered, this, &Tgeneral::Lisezmoi1Click);
    connect(m_ui.N1, &QAction::triggered, this, &Tgeneral::N1Click);
    connect(m_ui.Button_records, &QPushButton::clicked, this, &Tgeneral::Button_recordsClick);
}

template <typename T>
T *Tgeneral::besoin(T *Fenetres::*place)
{
    T *&fenetre = m_fenetres.*place;
    if (!fenetre && m_aLaDemande) {
        if constexpr (std::is_constructible_v<T, SessionState &, const Environment &, QWidget *>)
            fenetre = new T(m_state, m_env, this);
        else if constexpr (std::is_constructible_v<T, SessionState &, QWidget *>)
            fenetre = new T(m_state, this);
        else
            fenetre = new T(this);
        relieFenetres();
    }
    return fenetre;
}

void Tgeneral::setFenetresALaDemande(bool aLaDemande)
{
    m_aLaDemande = aLaDemande;
    relieFenetres();
}

void Tgeneral::construitFenetres()
{
    construitInterface();
    besoin(&Fenetres::texte);
    besoin(&Fenetres::objectifs);
    besoin(&Fenetres::choixLibre);
    besoin(&Fenetres::reflechies);
    besoin(&Fenetres::clavier);
    besoin(&Fenetres::professeur);
    besoin(&Fenetres::ident);
    besoin(&Fenetres::test);
    besoin(&Fenetres::apprent);
    besoin(&Fenetres::aboutBox);
    besoin(&Fenetres::boiteMessage);
    besoin(&Fenetres::perfect);
    besoin(&Fenetres::accesProf);
    besoin(&Fenetres::stats);
    besoin(&Fenetres::statsEl);
    besoin(&Fenetres::reglages);
    besoin(&Fenetres::add);
}

void Tgeneral::relieFenetres()
{
    const Fenetres &f = m_fenetres;
    const bool aLaDemande = m_aLaDemande;
    auto active = [aLaDemande](bool present, std::initializer_list<QObject *> commandes) {
        for (QObject *c : commandes) {
            if (auto *w = qobject_cast<QWidget *>(c))
                w->setEnabled(present || aLaDemande);
            else if (auto *a = qobject_cast<QAction *>(c))
                a->setEnabled(present || aLaDemande);
        }
    };
    active(f.ident, {m_ui.ButtonChangerEleve, m_ui.ChangerEleve1});
    active(f.test, {m_ui.SpeedButton_test, m_ui.test1, m_ui.button_test});
    active(f.apprent && f.boiteMessage, {m_ui.SpeedButton_apprentissage, m_ui.apprentissage1});
    // The training leads on to the free choice and the perfectionnement.
    if (f.apprent)
        f.apprent->relie(besoin(&Fenetres::choixLibre), besoin(&Fenetres::perfect));
    active(f.perfect, {m_ui.SpeedButton_perfectionnement});
    if (m_interface)
        m_ui.facile->setEnabled((f.perfect || m_aLaDemande) && m_state.perfectionnement_libre);
    active(f.add, {m_ui.SpeedButton_additions, m_ui.Additions1});
    active(f.clavier, {m_ui.SpeedButton_el_6, m_ui.Clavier1});
    active(f.objectifs, {m_ui.Tablesclassiques1, m_ui.Tablesetendues1, m_ui.Objectifs1, m_ui.SpeedButton_el_11});
    active(f.reflechies, {m_ui.SpeedButton_1_10, m_ui.Tablesraisonnees1});
    active(f.professeur, {m_ui.SpeedButton_professeur, m_ui.Professeur1});
    active(f.reglages, {m_ui.SpeedButton_reglages, m_ui.Configuration1});
    active(f.texte, {m_ui.Lisezmoi1, m_ui.Button_records});
    active(f.aboutBox, {m_ui.N1});

    if (f.test) {
        connect(f.test, &Ttest::testShown, this, &Tgeneral::testMontre, Qt::UniqueConnection);
        connect(f.test, &Ttest::testHidden, this, &Tgeneral::etape_session_3, Qt::UniqueConnection);
        connect(f.test, &Ttest::graphiqueChange, this, &Tgeneral::affiche_graphique, Qt::UniqueConnection);
        connect(f.test, &Ttest::recordsChanges, this, &Tgeneral::actualise_affichage_records, Qt::UniqueConnection);
        connect(f.test, &Ttest::etapeSuivante, this, &Tgeneral::etapeSuivante, Qt::UniqueConnection);
    }
    if (f.boiteMessage)
        connect(f.boiteMessage, &Tboite_message::premierTestPret, this, &Tgeneral::montre_test, Qt::UniqueConnection);
    if (f.professeur)
        connect(f.professeur, &TProfesseur::programmeDoitFermer, this, &Tgeneral::close, Qt::UniqueConnection);
    // The teacher's statistics tabs open these windows.
    if (f.professeur && besoin(&Fenetres::stats) && besoin(&Fenetres::statsEl))
        f.professeur->setFenetresStats(f.stats, f.statsEl);
}

void Tgeneral::initialise_session()
{
    QDir::setCurrent(m_env.programFolder);
    LockKeys::fixe_verrouillages(m_state.verrouillage_num_depart, m_state.verrouillage_maj_depart);
    if (m_interface) {
        m_ui.Label_nom->hide();
        m_ui.Label_classe->hide();
        m_ui.Label_clique_ici->hide();
    }

    bool recordsLocaux = false;
    {
        CurseurAttente attente;
        const auto demandeServeur = [this](QString *chemin) {
            QApplication::restoreOverrideCursor();
            const bool ok = Dialogs::inputText(this, QStringLiteral("Serveur non renseigné"),
                                               QStringLiteral("Entrer le chemin du serveur: "), chemin);
            QApplication::setOverrideCursor(Qt::WaitCursor);
            return ok;
        };
        const auto nettoyage = [this] {
            QStringList erreurs;
            const int nombre = MonopostCleanup::nettoie_doublons_monoposte_serveur(m_state, m_env, &erreurs);
            QApplication::restoreOverrideCursor();
            if (nombre > 0)
                Dialogs::information(this, MonopostCleanup::kTitreInformation,
                                     MonopostCleanup::informationText(nombre));
            if (!erreurs.isEmpty())
                Dialogs::warning(this, MonopostCleanup::kTitreInformation, erreurs.join(QLatin1Char('\n')));
            QApplication::setOverrideCursor(Qt::WaitCursor);
        };
        // Only a school looks for its server, once per run.
        if (m_state.mode_ecole && !m_state.recherche_serveur_faite)
            setWindowTitle(QStringLiteral("Recherche du serveur") + QStringLiteral("....."));
        recordsLocaux = m_initialiseur.initialise_session(demandeServeur, nettoyage);
    }
    if (!m_initialiseur.problemes().isEmpty())
        Dialogs::warning(this, QStringLiteral("Attention!"), m_initialiseur.problemes().join(QLatin1Char('\n')));
    m_sessionInitialisee = true;
    m_recordsLocaux = recordsLocaux;
    setWindowTitle(m_state.titre_fenetre);
    if (m_interface)
        afficheSession();
}

void Tgeneral::afficheSession()
{
    m_ui.button_test->setText(QStringLiteral("  ") + QStringLiteral("Test").toUpper());
    appliqueMode();
    if (m_recordsLocaux)
        actualise_affichage_records();
    else
        for (QLabel *record : m_ui.LabelRecords)
            record->hide();
    actualiseObjectifs();
}

void Tgeneral::appliqueMode()
{
    setWindowTitle(m_state.titre_fenetre);
    const bool ecole = m_state.mode_ecole;
    m_ui.Button_records->setVisible(ecole);
    m_ui.SpeedButton_professeur->setVisible(ecole);
    m_ui.Professeur1->setVisible(ecole);
    m_ui.SpeedButton_reglages->setVisible(!ecole);
    // The settings window asks for no code: at school it stays out of the
    // pupils' reach, the teacher window holds the same settings.
    m_ui.Configuration1->setVisible(!ecole);
    m_ui.facile->setEnabled((m_fenetres.perfect || m_aLaDemande) && m_state.perfectionnement_libre);
}

void Tgeneral::demande_identification()
{
    if (m_interface) {
        m_ui.Label_nom->hide();
        m_ui.Label_classe->hide();
        m_ui.Label_clique_ici->hide();
        m_ui.button_test->hide();
    }
    if (!besoin(&Fenetres::ident))
        return;
    m_fenetres.ident->exec();
    initialise_session_eleve();
}

void Tgeneral::initialise_session_eleve()
{
    construitInterface();
    PupilSession::initialise_session_eleve(m_state, m_env);
    const EleveState &e = m_state.eleve;

    QFont police = m_ui.Label_classe->font();
    police.setPointSize(24);
    m_ui.Label_classe->setFont(police);
    m_ui.Label_classe->setText(e.classe);
    m_ui.Label_classe->adjustSize();
    m_ui.Label_classe->setVisible(!e.classe.isEmpty());

    actualiseObjectifs();
    if (!e.cle_eleve.isEmpty() || !e.nom.isEmpty()) {
        m_ui.Label_nom->setText(e.nom + QLatin1Char(' ') + e.prenom);
        ajusteNom();
        m_ui.Label_nom->show();
    }
    if (!e.eleve_nouveau)
        affiche_graphique();
    else {
        efface_graphique();
        m_ui.graphique->hide();
    }
    m_ui.Label_clique_ici->show();
    m_ui.button_test->show();
    m_ui.button_test->setFocus();
    m_ui.placeComposants();
}

void Tgeneral::ajusteNom()
{
    QFont police(QStringLiteral("Arial"));
    police.setPointSize(30);
    police.setBold(true);
    m_ui.Label_nom->setFont(police);
    m_ui.Label_nom->adjustSize();
    // The name stays clear of the test button's column.
    int place = TgeneralUi::colonneDroite(TgeneralUi::kLargeurDessin) - 24 - 14;
    if (m_ui.Label_classe->isVisibleTo(this))
        place -= enDessin(m_ui.Label_classe).width() + 24;
    place = std::max(place, 120);
    const int largeur = enDessin(m_ui.Label_nom).width();
    if (largeur > place) {
        police.setPointSize(std::max(8, place * 30 / largeur));
        m_ui.Label_nom->setFont(police);
        m_ui.Label_nom->adjustSize();
        m_ui.Label_nom->resize(place, enDessin(m_ui.Label_nom).height());
    }
}

void Tgeneral::actualiseObjectifs()
{
    if (!m_interface)
        return;
    m_ui.Label_objectifs->setText(Catalogue::nom_liste_tables(m_state.objectifs));
}

bool Tgeneral::EnregistrementSeance()
{
    QString erreur;
    QString avis;
    bool enregistree = false;
    {
        CurseurAttente attente;
        enregistree = PupilSession::EnregistrementSeance(m_state, m_env, &erreur, &avis);
    }
    if (m_sansTemoin) {
        if (!enregistree || !avis.isEmpty()) {
            StartupLog journal = StartupLog::duProgramme(m_env.programFolder);
            journal.ajoute(enregistree ? avis : kTitreEnregistrement + QStringLiteral(": ") + erreur);
        }
    } else if (!enregistree) {
        Dialogs::error(this, kTitreEnregistrement, erreur);
    } else if (!avis.isEmpty()) {
        Dialogs::information(this, QStringLiteral("Serveur indisponible"), avis);
    }
    return enregistree;
}

void Tgeneral::fin_de_session_systeme()
{
    if (m_fermee)
        return;
    m_sansTemoin = true;
    // The modal windows, the newest first. One that refuses to close (a
    // message box without a cancel button) is hidden.
    for (int n = 0; n < 32; ++n) {
        QWidget *modale = QApplication::activeModalWidget();
        if (!modale || modale == this)
            break;
        modale->close();
        if (modale->isVisible())
            modale->hide();
    }
    close();
}

bool Tgeneral::changement_eleve()
{
    if (!EnregistrementSeance()
        && !Dialogs::question(this, kTitreEnregistrement,
                              QStringLiteral("Changer d'élève quand même?\nCette séance ne sera pas enregistrée.")))
        return false;
    {
        CurseurAttente attente;
        QString erreur;
        // The session was recorded just above, or the user chose to let it
        // go: the record inside the change only repeats that outcome.
        PupilSession::changement_eleve(m_state, m_env, &erreur);
        efface_graphique();
        m_ui.graphique->hide();
    }
    initialise_session();
    return true;
}

void Tgeneral::ButtonChangerEleveClick()
{
    if (m_fenetres.test && m_fenetres.test->isVisible())
        return;
    if (!besoin(&Fenetres::ident))
        return;
    if (changement_eleve())
        demande_identification();
}

void Tgeneral::affiche_graphique()
{
    ProgressGraphLayout::ClasseDuJour classeDuJour;
    if (m_state.mode_ecole) {
        const QString etablissement = m_state.dossier_etablissement;
        const QString cle = m_state.eleve.cle_eleve;
        classeDuJour = [etablissement, cle](const QString &jour) {
            return ProgressGraphLayout::classe_a_la_date(etablissement, cle, jour);
        };
    }
    m_ui.graphique->affiche_graphique(m_state.eleve.graphique, TgeneralUi::kLargeurDessin, classeDuJour);
}

void Tgeneral::efface_graphique()
{
    m_ui.graphique->efface_graphique();
}

QImage Tgeneral::grilleEntree(int entree) const
{
    const QList<EntreeGraphique> &graphique = m_state.eleve.graphique;
    if (entree < 1 || entree > graphique.size())
        return {};
    return dessine_grille(HistoryLines::enregistrements(graphique.at(entree - 1).ligneTest), m_state.objectifs,
                          m_state.temps_acceptable, DesignScaler::pictureDensity(m_ui.fond));
}

void Tgeneral::actualise_affichage_records()
{
    const QStringList premiers = RecordsList::trois_premiers(m_state.liste_records);
    for (int n = 0; n < m_ui.LabelRecords.size(); ++n) {
        QLabel *record = m_ui.LabelRecords.at(n);
        if (n < premiers.size()) {
            record->setText(QString::number(n + 1) + QStringLiteral(". ") + premiers.at(n));
            record->show();
        } else {
            record->clear();
            record->hide();
        }
    }
    if (m_fenetres.texte)
        m_fenetres.texte->setTexte(RecordsList::decode_liste_records(m_state.liste_records));
}

void Tgeneral::Button_recordsClick()
{
    if (!besoin(&Fenetres::texte))
        return;
    // Another workstation may have beaten a record since the start.
    m_state.liste_records = RecordsList::charge(m_state);
    actualise_affichage_records();
    m_fenetres.texte->afficher(QStringLiteral("Classement des élèves"));
}

void Tgeneral::lance_test()
{
    if (!besoin(&Fenetres::test))
        return;
    const EleveState &e = m_state.eleve;
    // Only a test that made today's graph point makes the next one count for
    // nothing; a morning of training, or a test of the squares, does not.
    const bool testDuJour = TestConclusion::test_compte_aujourdhui(e, m_env.clock->now().date());
    if (e.eleve_nouveau && !e.test_fait_aujourdhui) {
        if (besoin(&Fenetres::boiteMessage))
            montre_message(QStringLiteral("Premier test"), Tboite_message::texte_premier_test());
        else
            montre_test();
    } else if (!testDuJour) {
        montre_test();
    } else if (Dialogs::okCancel(this, QStringLiteral("UN SEUL test par jour"),
                                 QStringLiteral("Tu as déjà fait un test aujourd'hui!") + QLatin1Char('\n')
                                     + QStringLiteral("Inutile d'en faire un autre, il ne comptera pas.")
                                     + QLatin1Char('\n') + QStringLiteral("Entraîne-toi plutôt!"))) {
        montre_test();
    }
}

void Tgeneral::montre_test()
{
    if (!m_fenetres.test)
        return;
    m_fenetres.test->showMaximized();
    m_fenetres.test->raise();
    m_fenetres.test->activateWindow();
}

void Tgeneral::montre_message(const QString &titre, const QString &commentaire)
{
    m_fenetres.boiteMessage->montre(titre, commentaire);
}

void Tgeneral::test1Click()
{
    lance_test();
}

void Tgeneral::button_testClick()
{
    lance_test();
}

void Tgeneral::verrouilleCommandes(bool testOuvert)
{
    menuBar()->setEnabled(!testOuvert);
    m_ui.Panel_boutons->setEnabled(!testOuvert);
    m_ui.button_test->setEnabled(!testOuvert && (m_fenetres.test || m_aLaDemande));
    m_ui.Button_records->setEnabled(!testOuvert && (m_fenetres.texte || m_aLaDemande));
}

void Tgeneral::testMontre()
{
    verrouilleCommandes(true);
}

void Tgeneral::etape_session_3()
{
    verrouilleCommandes(false);
    m_ui.Label_clique_ici->hide();
    m_ui.button_test->hide();
    affiche_graphique();
}

void Tgeneral::etapeSuivante(bool perfectionnement)
{
    if (perfectionnement)
        facileClick();
    else
        apprentissage1Click();     // which says so when there is nothing to train
}

void Tgeneral::apprentissage1Click()
{
    if (m_state.produits_a_memoriser.isEmpty()) {
        if (besoin(&Fenetres::boiteMessage))
            montre_message(QStringLiteral("Apprentissage inutile"), QStringLiteral("Tu sais déjà tes tables!!"));
        return;
    }
    // The training tells its first steps through the message box.
    if (besoin(&Fenetres::apprent) && besoin(&Fenetres::boiteMessage))
        m_fenetres.apprent->exec();
}

void Tgeneral::facileClick()
{
    if (!besoin(&Fenetres::perfect))
        return;
    m_fenetres.perfect->setNiveau(1);
    m_fenetres.perfect->exec();
}

void Tgeneral::addition()
{
    if (besoin(&Fenetres::add))
        m_fenetres.add->exec();
}

void Tgeneral::SpeedButton_el_6Click()
{
    if (besoin(&Fenetres::clavier))
        m_fenetres.clavier->exec();
}

void Tgeneral::ouvreObjectifs(const QString &type)
{
    if (!besoin(&Fenetres::objectifs))
        return;
    m_fenetres.objectifs->setTypeTables(type);
    m_fenetres.objectifs->exec();
    actualiseObjectifs();
}

void Tgeneral::SpeedButton_2_9Click()
{
    m_ui.SpeedButton_2_9->setChecked(true);
    ouvreObjectifs(QStringLiteral("classiques"));
}

void Tgeneral::SpeedButton_12_19Click()
{
    m_ui.SpeedButton_12_19->setChecked(true);
    ouvreObjectifs(QStringLiteral("etendues"));
}

void Tgeneral::SpeedButton_el_11Click()
{
    ouvreObjectifs(m_ui.SpeedButton_12_19->isChecked() ? QStringLiteral("etendues") : QStringLiteral("classiques"));
}

void Tgeneral::SpeedButton_1_10Click()
{
    if (besoin(&Fenetres::reflechies))
        m_fenetres.reflechies->exec();
}

void Tgeneral::Professeur1Click()
{
    if (!besoin(&Fenetres::professeur))
        return;
    if (TeacherAccess::code_demande(m_state) && (!besoin(&Fenetres::accesProf) || !m_fenetres.accesProf->demande()))
        return;
    m_fenetres.professeur->exec();
}

void Tgeneral::Configuration1Click()
{
    if (besoin(&Fenetres::reglages))
        m_fenetres.reglages->exec();
}

void Tgeneral::aide1Click()
{
    if (!m_aide)
        m_aide = new HelpWindow(this);
    m_aide->affiche_sommaire();
}

void Tgeneral::Lisezmoi1Click()
{
    if (!besoin(&Fenetres::texte))
        return;
    // A read-me the school put in the data folder comes first; otherwise the
    // one installed with the program (its data folder in a package, or
    // beside the program in a build).
    const QString nom = QStringLiteral("lisezmoi.txt");
    QStringList lignes;
    bool trouve = false;
    for (const QString &dossier :
         {m_env.programFolder, m_env.installedFilesFolder, QCoreApplication::applicationDirPath()}) {
        if (dossier.isEmpty())
            continue;
        const QString chemin = Paths::join(dossier, nom);
        QString erreur;
        if (QFileInfo::exists(chemin) && TextFile::loadLines(chemin, &lignes, &erreur)) {
            trouve = true;
            break;
        }
    }
    if (!trouve)
        lignes = {QStringLiteral("Le fichier \"lisezmoi.txt\" manque à cette installation de Tabulon."), QString(),
                  QStringLiteral("Pour savoir comment utiliser Tabulon, ouvre l'aide: menu \"?\", puis \"Aide\".")};
    m_fenetres.texte->setTexte(lignes);
    m_fenetres.texte->afficher(QStringLiteral("Lisez-moi"));
}

void Tgeneral::N1Click()
{
    if (besoin(&Fenetres::aboutBox))
        m_fenetres.aboutBox->exec();
}

void Tgeneral::Imprimer1Click()
{
    const QList<EntreeGraphique> &graphique = m_state.eleve.graphique;
    if (graphique.isEmpty())
        return;
    const QString enregistrements = graphique.last().ligneTest.mid(HistoryLines::kTeteLigneTest);
    const EleveState &e = m_state.eleve;
    const Impression::Demande demande = demande_rapport_test(
        e.nom, e.prenom, m_state.mode_ecole ? e.classe : QString(), enregistrements,
        m_state.jour_semaine + QLatin1Char(' ') + m_state.date_du_jour, m_state.nom_etablissement,
        m_state.temps_acceptable);
    if (Impression::imprime(this, demande) == Impression::Resultat::Echec)
        Dialogs::error(this, QStringLiteral("Impression impossible"),
                       QStringLiteral("L'imprimante n'a pas pu être ouverte."));
}

void Tgeneral::closeEvent(QCloseEvent *event)
{
    if (m_fermee) {
        event->accept();
        return;
    }
    const bool sansQuestion = m_fermetureSansQuestion || m_sansTemoin;
    if (m_fenetres.test && m_fenetres.test->isVisible()) {
        // Only the end of a test hands its results on: a test cut short is
        // dropped, what the session did before it is still recorded.
        if (m_fenetres.test->testEnCours() && !sansQuestion
            && !Dialogs::question(this, QStringLiteral("Test en cours"),
                                  QStringLiteral("Tu n'as pas fini ton test.\nFermer Tabulon quand même? "
                                                 "Ce test ne sera pas enregistré."))) {
            event->ignore();
            return;
        }
        m_fenetres.test->hide();
    }
    if (!EnregistrementSeance() && !sansQuestion
        && !Dialogs::question(this, kTitreEnregistrement,
                              QStringLiteral("Fermer Tabulon quand même?\nCette séance ne sera pas enregistrée."))) {
        event->ignore();
        return;
    }
    LockKeys::fixe_verrouillages(m_state.verrouillage_num_depart, m_state.verrouillage_maj_depart);
    m_fermee = true;
    event->accept();
    emit fermee();
}

void Tgeneral::showEvent(QShowEvent *event)
{
    m_ui.habille();
    QMainWindow::showEvent(event);
}
