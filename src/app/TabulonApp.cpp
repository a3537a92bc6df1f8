#include "app/TabulonApp.h"

#include "app/Tgeneral.h"
#include "app/Tident.h"
#include "core/Paths.h"
#include "platform/LockKeys.h"
#include "platform/SessionEnd.h"
#include "teacher/TAcces_prof.h"
#include "teacher/TProfesseur.h"
#include "widgets/Dialogs.h"
#include "widgets/QtFrench.h"
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
            m_arret = m_options.arretPremiereFenetre;
            // The window is up once its show is over (its own showEvent has
            // filled it, the system has it) and the event loop that shows it
            // runs: the observer, then the stop, come from that loop, the
            // stop after what the observer itself queued.
            QTimer::singleShot(0, fenetre, [this, fenetre] {
                if (m_observateur)
                    m_observateur(fenetre);
                if (!m_options.arretPremiereFenetre)
                    return;
                QTimer::singleShot(0, fenetre, [fenetre] {
                    if (auto *dialogue = qobject_cast<QDialog *>(fenetre))
                        dialogue->reject();
                    else
                        fenetre->close();
                });
            });
        }
    }
    return QObject::eventFilter(watched, event);
}

void TabulonApp::cree_fenetre_principale()
{
    // The main window builds its controls when it first shows, and every
    // other window is built the first time it is needed, then kept: the
    // start builds only what its first window shows.
    m_general = new Tgeneral(m_state, m_env, nullptr, Tgeneral::Interface::AuPremierAffichage);
    m_general->setFenetresALaDemande(true);
}

// School mode: the school's structure for this year. False when the run ends
// here because the teacher window was opened for a new school year.
bool TabulonApp::prepare_ecole()
{
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
    Tgeneral::Fenetres &f = m_general->fenetres();
    if (m_state.code_prof_requis) {
        f.accesProf = new TAcces_prof(m_state, m_general);
        m_general->relieFenetres();
        surveille(f.accesProf);
        if (!f.accesProf->demande()) {
            Dialogs::information(m_general, QStringLiteral("Nouvelle année scolaire"),
                                 QStringLiteral("L'enseignant doit d'abord préparer l'année scolaire %1 "
                                                "(répartition des classes).\nLe logiciel va se fermer.")
                                     .arg(m_state.annee_scolaire));
            return false;
        }
    }
    f.professeur = new TProfesseur(m_state, m_env, m_general);
    m_general->relieFenetres();
    TProfesseur *professeur = f.professeur;
    professeur->setNouvelleAnnee(true);
    surveille(professeur);
    professeur->exec();
    return false;
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

    cree_fenetre_principale();
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
