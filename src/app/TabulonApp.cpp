#include "app/TabulonApp.h"

#include "app/Tgeneral.h"
#include "app/Tident.h"
#include "core/Paths.h"
#include "platform/LockKeys.h"
#include "platform/SessionEnd.h"
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
#include "widgets/Dialogs.h"
#include "widgets/QtFrench.h"
#include "widgets/TAboutBox.h"
#include "widgets/Tboite_message.h"
#include "widgets/TMonHint.h"

#include <QApplication>
#include <QEvent>
#include <QGuiApplication>
#include <QScreen>
#include <QTimer>

TabulonApp::TabulonApp(const Environment &env, Options options)
    : m_env(env), m_options(std::move(options)), m_garde(m_options.nomGarde, m_options.dossierGarde)
{
    m_env.programFolder = Paths::withTrailingSlash(m_env.programFolder);
}

TabulonApp::~TabulonApp()
{
    delete m_general;
    m_garde.release();
}

Tgeneral *TabulonApp::general() const
{
    return m_general;
}

void TabulonApp::surveille(QWidget *fenetre)
{
    fenetre->installEventFilter(this);
}

bool TabulonApp::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::Show && !m_premiereVue) {
        auto *fenetre = qobject_cast<QWidget *>(watched);
        if (fenetre && fenetre->isWindow()) {
            m_premiereVue = true;
            if (m_observateur)
                m_observateur(fenetre);
            if (m_options.arretPremiereFenetre) {
                m_arret = true;
                // Closed from the event loop that shows it, once it is up.
                QTimer::singleShot(0, fenetre, [fenetre] {
                    if (auto *dialogue = qobject_cast<QDialog *>(fenetre))
                        dialogue->reject();
                    else
                        fenetre->close();
                });
            }
        }
    }
    return QObject::eventFilter(watched, event);
}

void TabulonApp::cree_fenetres_premieres()
{
    m_general = new Tgeneral(m_state, m_env);
    Tgeneral::Fenetres &f = m_general->fenetres();
    f.texte = new TTexte(m_general);
    f.objectifs = new TObjectifs(m_state, m_env, m_general);
    f.choixLibre = new Tchoix_libre(m_state, m_env, m_general);
    f.reflechies = new Treflechies(m_state, m_env, m_general);
    f.clavier = new Tclavier(m_state, m_env, m_general);
    m_general->relieFenetres();
}

// School mode: the school's structure for this year. False when the run ends
// here because the teacher window was opened for a new school year.
bool TabulonApp::prepare_ecole()
{
    Tgeneral::Fenetres &f = m_general->fenetres();
    f.professeur = new TProfesseur(m_state, m_env, m_general);
    f.professeur->setNouvelleAnnee(false);
    m_general->relieFenetres();
    if (!m_state.mode_ecole)
        return true;

    const SessionInitializer::ResultatEcole resultat = m_general->initialiseur().initialise_ecole();
    if (resultat.suite == SessionInitializer::SuiteEcole::ClockWarning) {
        Dialogs::warning(m_general, resultat.titre, resultat.texte);
        return true;
    }
    if (resultat.suite != SessionInitializer::SuiteEcole::NewSchoolYear)
        return true;

    // Pupils start the workstations too: the year is set up behind the
    // teacher code, as the teacher window always is.
    if (m_state.code_prof_requis) {
        f.accesProf = new TAcces_prof(m_state, m_general);
        surveille(f.accesProf);
        if (!f.accesProf->demande()) {
            Dialogs::information(m_general, QStringLiteral("Nouvelle année scolaire"),
                                 QStringLiteral("L'enseignant doit d'abord préparer l'année scolaire %1 "
                                                "(répartition des classes).\nLe logiciel va se fermer.")
                                     .arg(m_state.annee_scolaire));
            return false;
        }
    }
    TProfesseur *professeur = f.professeur;
    professeur->setNouvelleAnnee(true);
    // Large enough for every tab and control, within the screen.
    QSize taille = professeur->sizeHint().expandedTo(QSize(920, 660));
    if (const QScreen *ecran = QGuiApplication::primaryScreen()) {
        const QRect zone = ecran->availableGeometry();
        taille = taille.boundedTo(zone.size());
        professeur->resize(taille);
        professeur->move(zone.center() - QPoint(taille.width() / 2, taille.height() / 2));
    } else {
        professeur->resize(taille);
    }
    surveille(professeur);
    professeur->exec();
    return false;
}

void TabulonApp::cree_fenetres_suivantes()
{
    Tgeneral::Fenetres &f = m_general->fenetres();
    f.test = new Ttest(m_state, m_env, m_general);
    f.apprent = new Tapprent(m_state, m_env, m_general);
    f.aboutBox = new TAboutBox(m_general);
    f.boiteMessage = new Tboite_message(m_general);
    f.perfect = new Tperfect(m_state, m_env, m_general);
    f.accesProf = new TAcces_prof(m_state, m_general);
    f.stats = new TStats(m_state, m_env, m_general);
    f.statsEl = new Tstats_el(m_state, m_env, m_general);
    f.reglages = new Treglages(m_state, m_env, m_general);
    f.add = new TAdd(m_state, m_env, m_general);
    m_general->relieFenetres();
}

void TabulonApp::montre_fenetre_principale()
{
    if (const QScreen *ecran = QGuiApplication::primaryScreen()) {
        const QRect zone = ecran->availableGeometry();
        m_general->setGeometry(zone.x(), zone.y(), std::max(800, zone.width()), std::max(600, zone.height()));
    }
    m_general->showMaximized();
}

void TabulonApp::termine()
{
    m_garde.release();
}

int TabulonApp::run()
{
    if (!m_garde.tryAcquire()) {
        m_instanceRefusee = true;
        return 0;
    }
    if (auto *application = qobject_cast<QApplication *>(QCoreApplication::instance())) {
        installeBulles(*application);
        installeTraductionsQt(*application);
    }

    m_state.dossier_programme = m_env.programFolder;
    bool num = false;
    bool majuscules = false;
    LockKeys::lit_verrouillages(&num, &majuscules);
    m_state.verrouillage_num_depart = num;
    m_state.verrouillage_maj_depart = majuscules;

    cree_fenetres_premieres();
    m_state.recherche_serveur_faite = false;
    m_general->initialise_session();

    if (!prepare_ecole() || m_arret) {
        termine();
        return 0;
    }

    Tgeneral::Fenetres &f = m_general->fenetres();
    f.ident = new Tident(m_state, m_env, m_general);
    m_general->relieFenetres();
    surveille(f.ident);
    m_general->demande_identification();
    if (m_arret) {
        termine();
        return 0;
    }

    cree_fenetres_suivantes();
    connect(m_general, &Tgeneral::fermee, qApp, &QCoreApplication::quit, Qt::QueuedConnection);
    // From here on a pupil is working: a log-off, a shut-down or a stop
    // signal records his session before the program goes.
    SessionEnd finSysteme;
    connect(&finSysteme, &SessionEnd::ending, m_general, &Tgeneral::fin_de_session_systeme);
    montre_fenetre_principale();
    const int code = QCoreApplication::exec();
    termine();
    return code;
}
