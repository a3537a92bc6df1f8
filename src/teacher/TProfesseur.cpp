#include "teacher/TProfesseur.h"

#include "platform/LockKeys.h"
#include "teacher/BackgroundCollection.h"
#include "teacher/EtablissementTab.h"
#include "teacher/MaintenanceTab.h"
#include "teacher/ObjectifsTab.h"
#include "teacher/ParametresTab.h"
#include "teacher/SuiviTab.h"
#include "teacher/TeacherSave.h"
#include "teacher/StatElevesTab.h"
#include "teacher/StatProduitsTab.h"
#include "widgets/Dialogs.h"

#include <QKeyEvent>
#include <QScreen>
#include <QTabWidget>
#include <QTimer>
#include <QVBoxLayout>

TProfesseur::TProfesseur(SessionState &state, const Environment &env, QWidget *parent)
    : QDialog(parent)
    , m_state(state)
    , m_env(env)
{
    setObjectName(QStringLiteral("Professeur"));
    setWindowTitle(QStringLiteral("Enseignant"));
    setAccessibleName(QStringLiteral("Enseignant"));
    setSizeGripEnabled(true);

    Classeur = new QTabWidget(this);
    Classeur->setObjectName(QStringLiteral("Classeur"));
    Classeur->setAccessibleName(QStringLiteral("Onglets de l'enseignant"));
    // The seven captions fit side by side in the window's 800 pixels.
    Classeur->setStyleSheet(QStringLiteral("QTabBar::tab { padding: 5px 7px; }"));

    m_etablissement = new EtablissementTab(m_state, m_env, Classeur);
    m_etablissement->setObjectName(QStringLiteral("Bahut"));
    m_etablissement->setAccessibleName(QStringLiteral("Etablissement"));
    Classeur->addTab(m_etablissement, QStringLiteral("Etablissement"));
    m_parametres = new ParametresTab(m_state, m_env, Classeur);
    m_objectifs = new ObjectifsTab(m_state, m_env, Classeur);
    m_suivi = new SuiviTab(m_state, m_env, Classeur);
    m_maintenance = new MaintenanceTab(m_state, m_env, Classeur);
    m_statProduits = new StatProduitsTab(m_state, m_env, Classeur);
    m_statEleves = new StatElevesTab(m_state, m_env, Classeur);
    const QList<std::tuple<QWidget *, QString, QString>> autres{
        {m_parametres, QStringLiteral("Parametres"), QStringLiteral("Paramètres")},
        {m_objectifs, QStringLiteral("Obj_niveaux"), QStringLiteral("Objectifs à atteindre")},
        {m_suivi, QStringLiteral("Bilans"), QStringLiteral("Suivi de classes")},
        {m_statProduits, QStringLiteral("Stat_prod"), QStringLiteral("Statistiques produits")},
        {m_statEleves, QStringLiteral("stat_class"), QStringLiteral("Statistiques élèves")},
        {m_maintenance, QStringLiteral("maintenance_fichiers"), QStringLiteral("Maintenance")},
    };
    for (const auto &[page, nom, titre] : autres) {
        page->setObjectName(nom);
        page->setAccessibleName(titre);
        Classeur->addTab(page, titre);
    }

    auto *colonne = new QVBoxLayout(this);
    colonne->setContentsMargins(6, 6, 6, 6);
    colonne->addWidget(Classeur);
    resize(800, 600);

    connect(m_etablissement, &EtablissementTab::etablissementEnregistre, this, &TProfesseur::etablissementEnregistre);
    connect(m_maintenance, &MaintenanceTab::fichiersModifies, m_suivi, &SuiviTab::Button_liste_elevesClick);
}

void TProfesseur::setNouvelleAnnee(bool nouvelle)
{
    m_nouvelleAnnee = nouvelle;
}

void TProfesseur::showEvent(QShowEvent *event)
{
    if (!event->spontaneous())
        occupeEcran();
    FormShow();
    QDialog::showEvent(event);
    // The activation's box must come over the window, once it is on screen.
    QTimer::singleShot(0, this, &TProfesseur::FormActivate);
}

void TProfesseur::FormShow()
{
    // The training screens may have left the lock keys changed; the teacher
    // gets the keyboard as it was when the program started.
    LockKeys::fixe_verrouillages(m_state.verrouillage_num_depart, m_state.verrouillage_maj_depart);
    m_maintenance->setDossierDepart(m_state.dossier_etablissement);
    m_etablissement->charge();
    m_parametres->charge();
    m_objectifs->Redimensionne_objectifs(nomsNiveaux());
    m_objectifs->charge();
    m_suivi->charge();
    m_statProduits->actualise();
    m_statEleves->actualise();
}

// The tabs are laid out for 800 × 600 and grow with the window: on a large
// screen the window takes most of it, so that the follow-up tree and every
// column of a pupil's detail can be read without dragging its edges.
void TProfesseur::occupeEcran()
{
    const QScreen *ecran = screen();
    if (!ecran)
        return;
    const QRect zone = ecran->availableGeometry();
    const QSize voulue = QSize(zone.width() * 9 / 10, zone.height() * 9 / 10)
                             .expandedTo(sizeHint().expandedTo(QSize(920, 660)))
                             .expandedTo(size())
                             .boundedTo(zone.size());
    if (voulue != size())
        resize(voulue);
    move(zone.center() - QPoint(width() / 2, height() / 2));
}

QStringList TProfesseur::nomsNiveaux() const
{
    QStringList noms;
    for (const Niveau &n : m_etablissement->saisie())
        noms.append(n.nom.trimmed().left(10));
    return noms;
}

void TProfesseur::FormActivate()
{
    if (!isVisible())
        return;
    if (!m_nouvelleAnnee) {
        Classeur->setCurrentIndex(OngletSuivi);
        // Built off the interface thread; the first node opens when done.
        m_suivi->Button_liste_elevesClick();
        return;
    }
    Classeur->setCurrentIndex(OngletEtablissement);
    Dialogs::information(this, QStringLiteral("Nouvelle année scolaire"),
                         QStringLiteral("Vous devez effectuer la répartition\n\rdes classes pour l'année ")
                             + m_state.annee_scolaire);
}

// Every way of closing a dialog (title bar, Escape, a button) ends here.
void TProfesseur::done(int resultat)
{
    const bool fermeture = isVisible();
    // A computation still reading files would open its window after this one closed.
    m_statProduits->collecte()->annule();
    m_statEleves->collecte()->annule();
    if (fermeture)
        FormClose();
    QDialog::done(resultat);
    if (fermeture && m_nouvelleAnnee)
        emit programmeDoitFermer();
}

// This is a working window, not a question: Escape must not throw away the
// teacher's typing (nor, for a new school year, end the program), and Enter
// in a box must not press whichever button the dialog would take as default.
// A focused button still answers Enter itself.
void TProfesseur::keyPressEvent(QKeyEvent *event)
{
    switch (event->key()) {
    case Qt::Key_Escape:
    case Qt::Key_Return:
    case Qt::Key_Enter:
        event->ignore();
        return;
    default:
        QDialog::keyPressEvent(event);
    }
}

// For a new school year the program ends with the window: what was saved
// takes effect at the next start.
void TProfesseur::FormClose()
{
    if (!m_nouvelleAnnee)
        return;
    Dialogs::information(this, QStringLiteral("Fermeture du programme"),
                         QStringLiteral("Le logiciel doit être redémarré\n\rpour prendre en compte les changements"));
}

void TProfesseur::setFenetresStats(TStats *stats, Tstats_el *statsEl)
{
    m_statProduits->setFenetre(stats);
    m_statEleves->setFenetre(statsEl);
}

void TProfesseur::etablissementEnregistre()
{
    // The objectives follow the new levels, and are saved with them; the
    // statistics tabs show the new classes.
    m_objectifs->Redimensionne_objectifs(nomsNiveaux());
    m_objectifs->charge();
    m_objectifs->enregistrement_objectifs(false);
    m_statProduits->actualise();
    m_statEleves->actualise();
    TeacherSave::annonce_redemarrage(this);
    Classeur->setCurrentIndex(OngletObjectifs);
}
