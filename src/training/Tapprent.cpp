#include "training/Tapprent.h"

#include "core/Catalogue.h"
#include "core/Clock.h"
#include "core/RandomSource.h"
#include "core/SessionState.h"
#include "core/StartupLog.h"
#include "training/SelectionBar.h"
#include "training/StepPanel.h"
#include "training/Tchoix_libre.h"
#include "training/Tperfect.h"
#include "widgets/ActivityButton.h"
#include "widgets/ActivityWindowFrame.h"
#include "widgets/AnswerKeyWatch.h"
#include "widgets/ColourLabel.h"
#include "widgets/DesignScaler.h"
#include "widgets/Dialogs.h"
#include "widgets/EscapeGuard.h"
#include "widgets/Naming.h"
#include "widgets/PaintStamp.h"

#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QShowEvent>
#include <QTimer>

namespace {

constexpr int kPeriodeInitiale = 250;
constexpr int kTempsAcceptableParDefaut = 4;
constexpr int kGaucheQuestion = 330;
constexpr int kHautQuestion = 180;
constexpr int kHauteurQuestion = 52;
constexpr int kEcartBoutons = 27;
const QString kTitrePlusVite = QStringLiteral("Plus vite") + QStringLiteral(" !!!");

} // namespace

Tapprent::Tapprent(SessionState &state, const Environment &env, QWidget *parent)
    : QDialog(parent)
    , m_state(state)
    , m_env(env)
    , m_defauts(env)
    , m_clock(&m_defauts.clock())
    , m_moteur(m_defauts.clock(), m_defauts.random())
{
    setObjectName(QStringLiteral("Tapprent"));
    setAccessibleName(QStringLiteral("Apprentissage des tables"));
    setWindowTitle(QStringLiteral("Apprentissage des tables"));
    setModal(true);
    resize(ActivityWindowFrame::kLargeur, ActivityWindowFrame::kHauteur);
    construit();
}

Tapprent::~Tapprent() = default;

void Tapprent::relie(Tchoix_libre *choixLibre, Tperfect *perfect)
{
    m_choixLibre = choixLibre;
    m_perfect = perfect;
}

QPushButton *Tapprent::bouton(const QString &nom, const QString &texte, const QRect &geometrie)
{
    QPushButton *b = bouton_activite(m_fond, nom, texte, geometrie);
    b->hide();
    return b;
}

QLabel *Tapprent::etiquette(const QString &nom, const QString &texte, int taille, const QString &couleur)
{
    auto *l = new QLabel(texte, m_fond);
    l->setObjectName(nom);
    l->setTextFormat(Qt::PlainText);
    QFont f(QStringLiteral("Arial"));
    f.setPointSize(taille);
    f.setBold(true);
    l->setFont(f);
    l->setStyleSheet(QStringLiteral("color: %1; background: transparent;").arg(couleur));
    l->adjustSize();
    l->hide();
    return l;
}

void Tapprent::construit()
{
    auto *cadre = new ActivityWindowFrame(this, QStringLiteral("fond"), QStringLiteral("Apprentissage"));
    m_fond = cadre->contenu();
    m_barre = new SelectionBar(m_state, this);
    // The bar runs across the window's top, outside the design, at its scale.
    connect(cadre->scaler(), &DesignScaler::scaleChanged, new DesignScaler(m_barre), &DesignScaler::setScale);
    connect(m_barre, &SelectionBar::produitsChanges, this, &Tapprent::reinitialisation_apprentissage);
    connect(m_barre, &SelectionBar::choixLibreDemande, this, &Tapprent::SpeedButton_libreClick);

    m_panel = new StepPanel(m_fond);
    m_labelQuest = etiquette(QStringLiteral("label_quest1"), QString(), 30, QStringLiteral("rgb(0,0,128)"));
    m_labelQuest->move(kGaucheQuestion, kHautQuestion);
    m_maskEdit = new QLineEdit(m_fond);
    nomme(m_maskEdit, QStringLiteral("MaskEdit1"), QStringLiteral("Ta réponse"));
    m_validateur = new QRegularExpressionValidator(m_maskEdit);
    m_maskEdit->setValidator(m_validateur);
    m_maskEdit->hide();
    connect(m_maskEdit, &QLineEdit::textChanged, this, &Tapprent::MaskEdit1Change);
    m_touches = new AnswerKeyWatch(this, m_maskEdit, *m_clock);
    m_peinte = new PaintStamp(m_labelQuest, *m_clock, [this](qint64) {
        if (m_maskEdit->text().isEmpty())
            m_moteur.question_affichee();
    });
    new EscapeGuard(this);
    connect(m_touches, &AnswerKeyWatch::suppressionDemandee, this, &Tapprent::Button_effacerClick);

    m_jePasse = bouton(QStringLiteral("Button_je_passe"), QStringLiteral("je ne sais pas"), QRect(0, 0, 140, 28));
    connect(m_jePasse, &QPushButton::clicked, this, &Tapprent::Button_je_passeClick);
    m_effacer = bouton(QStringLiteral("Button_effacer"), QStringLiteral("Effacer"), QRect(0, 0, 140, 28));
    connect(m_effacer, &QPushButton::clicked, this, &Tapprent::Button_effacerClick);
    m_labelRep1 = etiquette(QStringLiteral("label_rep1"), QStringLiteral("erreur!"), 20, QStringLiteral("rgb(255,0,0)"));
    m_labelRep1->move(kGaucheQuestion, kHautQuestion + 70);
    m_labelRep2 = etiquette(QStringLiteral("label_rep2"), QString(), 24, QStringLiteral("rgb(0,0,128)"));
    m_labelRep2->move(kGaucheQuestion, kHautQuestion + 110);
    m_ok = bouton(QStringLiteral("ButtonOK"), QStringLiteral("OK"), QRect(0, 0, 60, 34));
    connect(m_ok, &QPushButton::clicked, this, &Tapprent::ButtonOKClick);
    m_commentaire = etiquette(QStringLiteral("label_commentaire"), QString(), 22, QStringLiteral("rgb(0,128,0)"));
    m_commentaire->move(kGaucheQuestion, kHautQuestion + 70);

    m_label2 = etiquette(QStringLiteral("Label2"), QString(), 20, QStringLiteral("rgb(0,0,128)"));
    m_label3 = etiquette(QStringLiteral("Label3"), QString(), 14, QStringLiteral("rgb(0,0,128)"));
    m_bitBtn3 = bouton(QStringLiteral("BitBtn3"), QStringLiteral("OUI"), QRect(0, 0, 80, 34));
    connect(m_bitBtn3, &QPushButton::clicked, this, &Tapprent::BitBtn3Click);

    m_bravo = etiquette(QStringLiteral("label_fin_niv1_a"), QStringLiteral("Bravo!"), 36, QStringLiteral("rgb(0,128,0)"));
    m_bravo->move(kGaucheQuestion, 140);
    m_etapeTerminee = etiquette(QStringLiteral("label_fin_niv1_b"), QStringLiteral("Première étape terminée."), 18,
                                QStringLiteral("rgb(0,0,128)"));
    m_etapeTerminee->move(kGaucheQuestion, 210);
    m_retour = bouton(QStringLiteral("BitBtn1"), QStringLiteral("   Retour menu "), QRect(kGaucheQuestion, 280, 170, 36));
    connect(m_retour, &QPushButton::clicked, this, &QDialog::reject);
    m_etapeSuivante = bouton(QStringLiteral("BitBtn2"), QStringLiteral("Etape suivante"),
                             QRect(kGaucheQuestion + 190, 280, 170, 36));
    connect(m_etapeSuivante, &QPushButton::clicked, this, &Tapprent::BitBtn2Click);

    m_timer1 = new QTimer(this);
    m_timer1->setObjectName(QStringLiteral("Timer1"));
    m_timer1->setInterval(kPeriodeInitiale);
    m_timer1->setTimerType(Qt::PreciseTimer);
    connect(m_timer1, &QTimer::timeout, this, &Tapprent::Timer1Timer);
}

void Tapprent::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (!event->spontaneous())
        FormShow();
}

void Tapprent::hideEvent(QHideEvent *event)
{
    QDialog::hideEvent(event);
    if (event->spontaneous())
        return;
    m_timer1->stop();
    m_touches->arrete(true);
}

void Tapprent::FormShow()
{
    m_touches->demarre();
    m_barre->raise();
    const EleveState &e = m_state.eleve;
    setWindowTitle(e.prenom + QLatin1Char(' ') + e.nom + QStringLiteral(": ") + QStringLiteral("Apprentissage des tables")
                   + QLatin1Char('.'));
    demarre_plan();
    // Nothing to train (the callers check first): the window does not stay open empty.
    if (m_moteur.plan().isEmpty()) {
        QTimer::singleShot(0, this, &QDialog::reject);
        return;
    }
    if (e.eleve_nouveau)
        QTimer::singleShot(0, this, &Tapprent::FormActivate);
    else
        montre_invite(true, false);
}

void Tapprent::FormActivate()
{
    if (!isVisible() || !m_enCours)
        return;
    Dialogs::information(this, QStringLiteral("Apprentissage"),
                         QStringLiteral("Tu vas apprendre en répondant aux questions.") + QLatin1Char('\n')
                             + QStringLiteral("TOUT doit passer au VERT"));
    montre_invite(true, true);
}

void Tapprent::demarre_plan()
{
    TrainingEngine::Reglages r;
    r.ordre = m_state.ordre_rangement_items;
    r.tailleBloc = m_state.nombre_items_par_bloc;
    r.formule = m_state.formule_recursive;
    r.tempsAcceptable = m_state.temps_acceptable > 0 ? m_state.temps_acceptable : kTempsAcceptableParDefaut;
    const QStringList notes = m_moteur.construit_plan(m_state.produits_a_memoriser, r);
    if (!notes.isEmpty()) {
        StartupLog journal = StartupLog::duProgramme(m_env.programFolder);
        for (const QString &note : notes)
            journal.ajoute(note);
    }
    // The items are ordered in place for the whole run.
    m_state.produits_a_memoriser = m_moteur.items();
    m_enCours = true;
    m_timer1->setInterval(kPeriodeInitiale);
    for (QWidget *w : std::initializer_list<QWidget *>{m_labelRep1, m_labelRep2, m_ok, m_commentaire, m_bravo,
                                                        m_etapeTerminee, m_retour, m_etapeSuivante, m_label2,
                                                        m_label3, m_bitBtn3})
        w->hide();
    m_barre->actualise();
    cree_tuiles();
    if (m_moteur.initialise_etape())
        affiche_etape();
}

void Tapprent::cree_tuiles()
{
    QFont police(QStringLiteral("Arial"));
    police.setPointSize(8);
    police.setBold(true);
    const QFontMetrics mesure(police);
    const QStringList &items = m_moteur.items();
    int largeur = 0;
    for (const QString &code : items)
        largeur = std::max(largeur, mesure.horizontalAdvance(Catalogue::ecrit_produit(code)) + 6);
    const QList<QPoint> coins = LearningPlan::disposition_tuiles(m_moteur.fins_de_blocs(), largeur);
    int droite = ActivityWindowFrame::kLargeur;
    for (qsizetype i = 0; i < coins.size(); ++i) {
        if (i == m_tuiles.size()) {
            auto *t = new ColourLabel(QString(), m_fond);
            t->setObjectName(QStringLiteral("tuile_%1").arg(i));
            t->setFont(police);
            m_tuiles << t;
        }
        ColourLabel *t = m_tuiles[i];
        t->setText(Catalogue::ecrit_produit(items.at(i)));
        t->setGeometry(QRect(coins[i], QSize(largeur, LearningPlan::kHauteurTuile)));
        t->show();
        droite = std::max(droite, coins[i].x() + largeur + 5);
        actualise_item(int(i));
    }
    detruit_tuiles(int(coins.size()));
    // A long list of tiles widens the design area, which stays centred.
    m_fond->resize(droite, ActivityWindowFrame::kHauteur);
}

void Tapprent::detruit_tuiles(int garder)
{
    while (m_tuiles.size() > garder)
        delete m_tuiles.takeLast();
}

void Tapprent::actualise_item(int item)
{
    const TrainingEngine::Couleur c = m_moteur.couleur(item);
    if (item < m_tuiles.size()) {
        m_tuiles[item]->setCouleurs(StepPanel::fond(c), StepPanel::texte(c));
        m_tuiles[item]->setAccessibleDescription(StepPanel::nom_couleur(c));
    }
    if (c != TrainingEngine::Couleur::Gris) {
        m_panel->applique_couleur(item, c);
        m_panel->applique_batons(item, m_moteur.batons(item));
    }
}

void Tapprent::affiche_etape()
{
    for (int i = 0; i < m_tuiles.size(); ++i)
        actualise_item(i);
    m_panel->construit(m_moteur.items(), m_moteur.premier_item(), m_moteur.dernier_item(), m_moteur.nouveau_bloc());
    montre_question(false);
}

// The "PRÊT?" prompt: beside the panel, with Label3 above it for a new pupil.
void Tapprent::montre_invite(bool premiere, bool avecLabel3)
{
    const int x = enDessin(m_panel).x() + enDessin(m_panel).width() + 60;
    const int haut = enDessin(m_panel).y();
    m_label3->setText(QStringLiteral("On commence quand tu veux."));
    m_label3->adjustSize();
    m_label3->move(x, haut);
    m_label3->setVisible(premiere && avecLabel3);
    QFont f = m_label2->font();
    f.setPointSize(20);
    m_label2->setFont(f);
    m_label2->setText(QStringLiteral("PRÊT?"));
    m_label2->adjustSize();
    m_label2->move(x, m_label3->isVisible() ? haut + 24 : haut);
    m_label2->show();
    m_bitBtn3->setText(QStringLiteral("OUI"));
    m_bitBtn3->move(std::max(x + 100, enDessin(m_label2).right() + 8), enDessin(m_label2).y() + 3);
    m_bitBtn3->show();
    m_bitBtn3->setFocus();
}

void Tapprent::montre_question(bool visible)
{
    for (QWidget *w : std::initializer_list<QWidget *>{m_labelQuest, m_maskEdit, m_jePasse, m_effacer})
        w->setVisible(visible);
}

void Tapprent::BitBtn3Click()
{
    m_moteur.debut_questionnement();
    m_panel->montre_reponses(false);
    m_panel->montre_batons(true);
    for (QWidget *w : std::initializer_list<QWidget *>{m_label2, m_label3, m_bitBtn3})
        w->hide();
    montre_question(true);
    pose_la_question();
}

void Tapprent::pose_la_question()
{
    const TrainingEngine::Question q = m_moteur.pose_la_question();
    m_longueur = q.longueur;
    {
        const QSignalBlocker bloque(m_maskEdit);
        m_maskEdit->clear();
    }
    m_maskEdit->setReadOnly(false);
    m_validateur->setRegularExpression(QRegularExpression(QStringLiteral("[0-9]{0,%1}").arg(q.longueur)));
    m_labelQuest->setText(q.texte);
    m_labelQuest->adjustSize();
    m_labelQuest->resize(enDessin(m_labelQuest).width(), kHauteurQuestion);
    const QRect question = enDessin(m_labelQuest);
    m_maskEdit->setGeometry(question.right() + 1, question.y(), 30 + 30 * q.longueur, kHauteurQuestion);
    const int xBoutons = enDessin(m_maskEdit).right() + kEcartBoutons;
    m_jePasse->move(xBoutons, question.y() - 4);
    m_effacer->move(xBoutons, question.y() + 28);
    m_jePasse->show();
    m_effacer->show();
    m_maskEdit->setFocus();
    // The time starts when the pupil can read the question: at its paint.
    m_moteur.question_affichee();
    m_peinte->arme();
    m_touches->prend_instant();
}

void Tapprent::MaskEdit1Change(const QString &texte)
{
    const qint64 instant = m_touches->prend_instant();
    if (texte.isEmpty() || m_maskEdit->isReadOnly())
        return;
    if (texte.size() == 1)
        m_moteur.premier_chiffre(instant);
    if (texte.size() == m_longueur)
        traite(m_moteur.traite_la_reponse(texte));
}

void Tapprent::Button_je_passeClick()
{
    traite(m_moteur.je_passe(m_clock->monotonicMs()));
}

void Tapprent::Button_effacerClick()
{
    if (m_maskEdit->isReadOnly())
        return;
    m_maskEdit->clear();
    m_maskEdit->setFocus();
}

void Tapprent::traite(const TrainingEngine::Evaluation &e)
{
    m_maskEdit->setReadOnly(true);
    if (e.exigence_nouvelle)
        Dialogs::information(this, kTitrePlusVite,
                             QStringLiteral("Il faut répondre plus VITE ") + QLatin1Char('\n')
                                 + QStringLiteral(" pour passer au VERT"));
    actualise_item(m_moteur.item_courant());
    m_jePasse->hide();
    m_effacer->hide();
    if (!e.juste) {
        m_labelRep2->setText(e.correction);
        m_labelRep2->adjustSize();
        m_labelRep2->show();
        m_ok->move(enDessin(m_labelRep2).right() + 15, enDessin(m_labelRep2).y());
        m_ok->setEnabled(true);
        m_ok->show();
        m_ok->setFocus();
        m_labelRep1->setVisible(e.saisie);
        return;
    }
    if (e.montrer_commentaire) {
        m_commentaire->setText(e.commentaire);
        m_commentaire->adjustSize();
        m_commentaire->show();
    }
    m_timer1->setInterval(e.periode);
    m_timer1->start();
}

void Tapprent::Timer1Timer()
{
    m_timer1->stop();
    m_commentaire->hide();
    m_jePasse->show();
    m_effacer->show();
    suite(m_moteur.suite_apres_bonne_reponse());
}

void Tapprent::ButtonOKClick()
{
    m_labelRep1->hide();
    m_labelRep2->hide();
    m_ok->hide();
    m_ok->setEnabled(false);
    montre_question(true);
    suite(m_moteur.choisit_la_question());
}

void Tapprent::suite(TrainingEngine::Suite s)
{
    switch (s) {
    case TrainingEngine::Suite::Question:
        pose_la_question();
        break;
    case TrainingEngine::Suite::FinPassage:
        montre_fin_passage();
        break;
    case TrainingEngine::Suite::NouvelleEtape:
        affiche_etape();
        montre_invite(false, false);
        break;
    case TrainingEngine::Suite::Fin:
        fin_apprentissage();
        break;
    }
}

void Tapprent::montre_fin_passage()
{
    QList<bool> justes;
    for (int i = m_moteur.premier_item(); i <= m_moteur.dernier_item(); ++i)
        justes << m_moteur.statut_ok(i);
    const int erreurs = m_moteur.erreurs_passage();
    montre_question(false);
    m_panel->montre_icones(justes);
    const int x = enDessin(m_panel).x() + enDessin(m_panel).width() + 60;
    m_label3->setText(erreurs == 0 ? QStringLiteral("Tout juste")
                                   : erreurs == 1 ? QStringLiteral("1 erreur")
                                                  : QString::number(erreurs) + QLatin1Char(' ') + QStringLiteral("erreurs"));
    m_label3->adjustSize();
    m_label3->move(x, enDessin(m_panel).y());
    m_label3->show();
    QFont f = m_label2->font();
    f.setPointSize(12);
    m_label2->setFont(f);
    m_label2->setText(erreurs == 0 ? QStringLiteral("Maintenant, dans le désordre.") : QStringLiteral("On recommence"));
    m_label2->adjustSize();
    m_label2->move(x, enDessin(m_label3).y() + 24);
    m_label2->show();
    m_bitBtn3->setText(QStringLiteral("OK"));
    m_bitBtn3->move(enDessin(m_label2).x() + (enDessin(m_label2).width() - enDessin(m_bitBtn3).width()) / 2, enDessin(m_label2).y() + 30);
    m_bitBtn3->show();
    m_bitBtn3->setFocus();
}

void Tapprent::fin_apprentissage()
{
    montre_question(false);
    m_labelRep1->hide();
    m_bravo->show();
    m_etapeTerminee->show();
    m_retour->show();
    m_etapeSuivante->show();
    m_etapeSuivante->setFocus();
    m_state.objectif_apprentissage.apprentissage_termine = true;
}

void Tapprent::remet_ligne_historique()
{
    const QString ligne = m_moteur.prend_ligne_historique();
    if (!ligne.isEmpty())
        m_state.eleve.lignes_seance << ligne;
}

void Tapprent::ferme_apprentissage()
{
    if (!m_enCours)
        return;
    m_enCours = false;
    m_timer1->stop();
    // The tiles wait hidden for the next opening, which then only relabels them.
    for (ColourLabel *t : std::as_const(m_tuiles))
        t->hide();
    m_panel->detruit();
    remet_ligne_historique();
}

void Tapprent::reinitialisation_apprentissage()
{
    m_timer1->stop();
    if (m_enCours) {
        m_panel->detruit();
        remet_ligne_historique();
    }
    demarre_plan();
    montre_invite(true, false);
}

void Tapprent::done(int resultat)
{
    ferme_apprentissage();
    QDialog::done(resultat);
}

void Tapprent::BitBtn2Click()
{
    done(QDialog::Accepted);
    if (!m_perfect)
        return;
    // The caption keeps the pupil's name in front, as every level's does.
    m_perfect->setNiveau(1, QStringLiteral("'facile'"));
    m_perfect->exec();
}

void Tapprent::SpeedButton_libreClick()
{
    if (m_choixLibre && m_choixLibre->exec() == QDialog::Accepted)
        reinitialisation_apprentissage();
}
