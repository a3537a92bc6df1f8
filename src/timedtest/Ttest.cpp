#include "timedtest/Ttest.h"
#include "widgets/DesignScaler.h"

#include "core/Catalogue.h"
#include "core/Clock.h"
#include "core/EnvironmentDefaults.h"
#include "core/RandomSource.h"
#include "core/SessionState.h"
#include "platform/LockKeys.h"
#include "timedtest/VerdictPanel.h"
#include "widgets/ActivityButton.h"
#include "widgets/ActivityWindowFrame.h"
#include "widgets/AnswerKeyWatch.h"
#include "widgets/Dialogs.h"
#include "widgets/GridPainter.h"
#include "widgets/LedDisplay.h"
#include "widgets/PaintStamp.h"
#include "widgets/TestReportPainter.h"
#include "widgets/Naming.h"
#include "widgets/Tboite_message.h"

#include <QApplication>
#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QTimer>

namespace {

constexpr int kLargeurFond = ActivityWindowFrame::kLargeur;
constexpr int kHauteurFond = ActivityWindowFrame::kHauteur;
constexpr int kGaucheTuiles = 264;
constexpr int kHautTuiles = 272;
constexpr int kPeriodeCompteur = 980;
constexpr int kPeriodeAffiche = 300;
constexpr int kJePasseApresQuestion = 900;
constexpr int kJePasseApresClic = 1500;
constexpr int kPeriodeLabelTemps = 500;
constexpr int kPeriodeInhibeImpression = 3000;
constexpr int kTempsMaximumParDefaut = 30;
const QColor kBleuTuile(0, 0, 255);
const QColor kJauneTuile(255, 255, 0);
const QColor kGrisTuile(192, 192, 192);

// Glyphs 0 and 1 of the pause button: two bars, then a triangle.
QIcon glyphe(int numero)
{
    QPixmap pixmap(18, 18);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    p.setBrush(numero == 0 ? QColor(0, 0, 160) : QColor(0, 128, 0));
    if (numero == 0) {
        p.drawRect(4, 3, 4, 12);
        p.drawRect(11, 3, 4, 12);
    } else {
        const QPointF triangle[] = {{5, 3}, {15, 9}, {5, 15}};
        p.drawPolygon(triangle, 3);
    }
    return QIcon(pixmap);
}

QTimer *minuterie(QObject *parent, const QString &nom, int periode, bool uneFois)
{
    auto *t = new QTimer(parent);
    t->setObjectName(nom);
    t->setInterval(periode);
    t->setSingleShot(uneFois);
    t->setTimerType(Qt::PreciseTimer);
    return t;
}

} // namespace

Ttest::Ttest(SessionState &state, const Environment &env, QWidget *parent)
    : QWidget(parent, Qt::Window)
    , m_state(state)
    , m_defauts(env)
    , m_clock(&m_defauts.clock())
    , m_moteur(m_defauts.clock(), m_defauts.random())
{
    setObjectName(QStringLiteral("Ttest"));
    setAccessibleName(QStringLiteral("test complet"));
    setWindowTitle(QStringLiteral("test complet"));
    resize(kLargeurFond, kHauteurFond);
    construit();
}

Ttest::~Ttest() = default;

QPushButton *Ttest::bouton(const QString &nom, const QString &texte, const QRect &geometrie)
{
    return bouton_activite(m_fond, nom, texte, geometrie);
}

void Ttest::construit()
{
    m_fond = (new ActivityWindowFrame(this, QStringLiteral("fond"), QStringLiteral("Test")))->contenu();

    m_panel1 = new QFrame(m_fond);
    nomme(m_panel1, QStringLiteral("Panel1"), QStringLiteral("Question"));
    m_panel1->setFrameShape(QFrame::Panel);
    m_panel1->setFrameShadow(QFrame::Raised);
    m_panel1->setGeometry(200, 40, 400, 100);
    m_labelQuest = new QLabel(m_panel1);
    nomme(m_labelQuest, QStringLiteral("Label_quest"));
    m_labelQuest->setGeometry(4, 4, 392, 92);
    m_labelQuest->setAlignment(Qt::AlignCenter);
    m_labelQuest->setTextFormat(Qt::PlainText);
    QFont grand(QStringLiteral("Arial"));
    grand.setPixelSize(56);
    grand.setBold(true);
    m_labelQuest->setFont(grand);

    m_maskEdit = new QLineEdit(m_fond);
    nomme(m_maskEdit, QStringLiteral("MaskEdit1"), QStringLiteral("Ta réponse"));
    m_maskEdit->setGeometry(355, 160, 90, 52);
    m_validateur = new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]{0,4}")), m_maskEdit);
    m_maskEdit->setValidator(m_validateur);
    connect(m_maskEdit, &QLineEdit::textChanged, this, &Ttest::MaskEdit1Change);
    m_touches = new AnswerKeyWatch(this, m_maskEdit, *m_clock);
    // The question's time and its limit start when it is painted.
    m_peinte = new PaintStamp(m_labelQuest, *m_clock, [this](qint64 instant) {
        m_moteur.question_affichee(instant);
        if (m_chrono->isActive())
            m_chrono->start();
    });
    connect(m_touches, &AnswerKeyWatch::suppressionDemandee, this, &Ttest::Button_effacerClick);

    m_jePasse = bouton(QStringLiteral("Button_je_passe"), QStringLiteral("je ne sais pas"), QRect(225, 228, 160, 34));
    m_jePasse->setToolTip(QStringLiteral("Clique ici si tu ne connais pas la réponse"));
    connect(m_jePasse, &QPushButton::clicked, this, &Ttest::Button_je_passeClick);
    m_effacer = bouton(QStringLiteral("Button_effacer"), QStringLiteral("Effacer"), QRect(415, 228, 160, 34));
    m_effacer->setToolTip(QStringLiteral("Efface ta réponse (la touche Suppr efface aussi)"));
    connect(m_effacer, &QPushButton::clicked, this, &Ttest::Button_effacerClick);

    m_pause = bouton(QStringLiteral("BitBtn_pause"), QStringLiteral("Pause"), QRect(40, 272, 90, 34));
    m_pause->setIcon(glyphe(0));
    connect(m_pause, &QPushButton::clicked, this, &Ttest::BitBtn_pauseClick);
    m_recommencer = bouton(QStringLiteral("BitBtn_recommencer"), QStringLiteral("Recommencer tout"),
                           QRect(40, 320, 180, 34));
    connect(m_recommencer, &QPushButton::clicked, this, &Ttest::BitBtn_recommencerClick);

    m_panelCompteur = new QFrame(m_fond);
    nomme(m_panelCompteur, QStringLiteral("Panel_compteur"), QStringLiteral("Secondes"));
    m_panelCompteur->setFrameShape(QFrame::Panel);
    m_panelCompteur->setFrameShadow(QFrame::Sunken);
    m_panelCompteur->setLineWidth(2);
    m_panelCompteur->resize(70, 52);
    m_compteur = new LedDisplay(2, m_panelCompteur);
    nomme(m_compteur, QStringLiteral("compteur"), QStringLiteral("Secondes écoulées"));
    m_compteur->setGeometry(3, 3, 64, 46);
    m_labelTemps = new QLabel(m_fond);
    nomme(m_labelTemps, QStringLiteral("Label_temps"));
    QFont avis(QStringLiteral("Arial"));
    avis.setPixelSize(18);
    avis.setBold(true);
    m_labelTemps->setFont(avis);
    m_labelTemps->setStyleSheet(QStringLiteral("color: rgb(128, 0, 0);"));
    m_labelTemps->setGeometry(120, 0, 160, 30);
    m_labelTemps->hide();

    m_retour = bouton(QStringLiteral("BitBtn1"), QString(), QRect(150, 556, 160, 36));
    connect(m_retour, &QPushButton::clicked, this, &QWidget::close);
    m_etapeSuivante = bouton(QStringLiteral("BitBtn2"), QString(), QRect(320, 556, 160, 36));
    connect(m_etapeSuivante, &QPushButton::clicked, this, &Ttest::Button_fin_du_testClick);
    m_imprimer = bouton(QStringLiteral("BitBtn3"), QString(), QRect(490, 556, 160, 36));
    connect(m_imprimer, &QPushButton::clicked, this, &Ttest::BitBtn3Click);

    m_panel3 = new VerdictPanel(m_fond);
    m_panel3->hide();

    m_boite = new Tboite_message(this);
    connect(m_boite, &Tboite_message::tropLongFerme, this, &Ttest::avant_question);
    connect(m_boite, &Tboite_message::deuxiemeChanceFermee, this, &Ttest::pose_la_question);

    m_compteurTimer = minuterie(this, QStringLiteral("compteur_timer"), kPeriodeCompteur, false);
    connect(m_compteurTimer, &QTimer::timeout, this, &Ttest::compteur_timerTimer);
    m_chrono = minuterie(this, QStringLiteral("chrono"), kTempsMaximumParDefaut * 1000, false);
    connect(m_chrono, &QTimer::timeout, this, &Ttest::chronoTimer);
    m_affiche = minuterie(this, QStringLiteral("affiche"), kPeriodeAffiche, true);
    connect(m_affiche, &QTimer::timeout, this, &Ttest::corrige_reponse);
    m_timerJePasse = minuterie(this, QStringLiteral("TimerJePasse"), kJePasseApresQuestion, true);
    connect(m_timerJePasse, &QTimer::timeout, this, [this] { m_jePasse->setEnabled(true); });
    m_timerLabelTemps = minuterie(this, QStringLiteral("Timer_label_temps"), kPeriodeLabelTemps, true);
    connect(m_timerLabelTemps, &QTimer::timeout, m_labelTemps, &QWidget::hide);
    m_inhibeImpression = minuterie(this, QStringLiteral("inhibe_impression"), kPeriodeInhibeImpression, true);
    connect(m_inhibeImpression, &QTimer::timeout, this, [this] { m_imprimer->setEnabled(true); });
}

QLabel *Ttest::panl(int position) const
{
    return m_fond->findChild<QLabel *>(QStringLiteral("panel%1").arg(position + 3), Qt::FindDirectChildrenOnly);
}

void Ttest::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    // A window restored from the task bar is not a new test.
    if (!event->spontaneous()) {
        FormShow();
        emit testShown();
    }
}

void Ttest::FormShow()
{
    m_touches->demarre();
    m_jePasse->setText(QStringLiteral("je ne sais pas"));
    m_effacer->setText(QStringLiteral("Effacer"));
    m_recommencer->setText(QStringLiteral("Recommencer tout"));
    m_retour->setText(QStringLiteral("   ") + QStringLiteral("Retour menu "));
    m_etapeSuivante->setText(QStringLiteral("Etape suivante"));
    m_imprimer->setText(QStringLiteral("Imprimer le test"));
    initialisation_test();
}

void Ttest::hideEvent(QHideEvent *event)
{
    QWidget::hideEvent(event);
    if (event->spontaneous())
        return;
    m_touches->arrete(false);
    arrete_chronos();
    m_affiche->stop();
    m_timerJePasse->stop();
    emit testHidden();
}

void Ttest::initialisation_test()
{
    const QStringList produits = m_state.produits_etudies.isEmpty() ? m_state.liste_produits : m_state.produits_etudies;
    const EleveState &eleve = m_state.eleve;
    if (eleve.prenom.isEmpty() && eleve.nom.isEmpty())
        setWindowTitle(QStringLiteral("test complet"));
    else
        setWindowTitle(eleve.prenom + QLatin1Char(' ') + eleve.nom + QStringLiteral(": ") + QStringLiteral("test complet"));

    m_panel1->show();
    m_maskEdit->show();
    m_maskEdit->setReadOnly(false);
    m_maskEdit->setEnabled(true);
    m_jePasse->show();
    m_jePasse->setEnabled(true);
    m_effacer->show();
    m_panel3->hide();
    m_panel3->efface();
    m_recommencer->hide();
    m_labelTemps->hide();
    m_retour->hide();
    m_etapeSuivante->hide();
    m_imprimer->hide();
    m_panelCompteur->setVisible(m_state.chrono_test_visible);
    m_compteur->setVisible(true);
    m_pause->setVisible(m_state.bouton_pause_visible);
    m_pause->setText(QStringLiteral("Pause"));
    m_pause->setIcon(glyphe(0));
    m_pause->resize(90, enDessin(m_pause).height());

    arrete_chronos();
    m_affiche->stop();
    int tempsMaximum = m_state.temps_maximum;
    if (tempsMaximum < 1)
        tempsMaximum = kTempsMaximumParDefaut;
    tempsMaximum = std::min(tempsMaximum, 99);
    m_compteurTimer->setInterval(kPeriodeCompteur);
    m_chrono->setInterval(tempsMaximum * 1000);
    m_secondes = 0;
    m_compteur->setValue(0);
    const QRect compteur = enDessin(m_panelCompteur);
    m_panelCompteur->move(40, kHauteurFond - 25 - compteur.height());
    m_labelTemps->move(40 + compteur.width() + 9, kHauteurFond - 25 - compteur.height() + 12);

    detruit_tuiles();
    if (!m_moteur.initialisation_test(produits, tempsMaximum)) {
        affiche_sans_produit();
        return;
    }

    // Arial 8 bold; its metric twin where Arial is missing, so that "7×9=63" fits in 40 pixels.
    QFont policeTuile;
    policeTuile.setFamilies({QStringLiteral("Arial"), QStringLiteral("Liberation Sans"), QStringLiteral("Nimbus Sans")});
    policeTuile.setPixelSize(10);
    policeTuile.setBold(true);
    int droite = kLargeurFond;
    for (int i = 1; i <= m_moteur.nombre_produits(); ++i) {
        auto *tuile = new QLabel(m_fond);
        nomme(tuile, QStringLiteral("panel%1").arg(i + 3));
        tuile->setGeometry(kGaucheTuiles + 42 * ((i - 1) / 8), kHautTuiles + 18 * ((i - 1) % 8), 40, 16);
        tuile->setFrameShape(QFrame::Panel);
        tuile->setFrameShadow(QFrame::Sunken);
        tuile->setLineWidth(2);
        tuile->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
        tuile->setMargin(0);
        tuile->setIndent(0);
        tuile->setFont(policeTuile);
        tuile->setAutoFillBackground(true);
        tuile->setTextFormat(Qt::PlainText);
        tuile->show();
        m_tuiles.append(tuile);
        actualise_tuile(i);
        droite = std::max(droite, enDessin(tuile).right() + 20);
    }
    // A long list of products (the extended tables) needs more than 800 pixels.
    m_fond->resize(droite, kHauteurFond);
    avant_question();
}

void Ttest::affiche_sans_produit()
{
    m_labelQuest->setText(QStringLiteral("Aucun produit à tester."));
    m_maskEdit->hide();
    m_jePasse->hide();
    m_effacer->hide();
    m_pause->hide();
    m_panelCompteur->hide();
    m_retour->show();
    m_retour->setEnabled(true);
    m_retour->setFocus();
}

void Ttest::detruit_tuiles()
{
    qDeleteAll(m_tuiles);
    m_tuiles.clear();
}

void Ttest::actualise_tuile(int position)
{
    if (position < 1 || position > m_tuiles.size())
        return;
    const TuileTest &etat = m_moteur.tuiles()[position - 1];
    QLabel *tuile = m_tuiles[position - 1];
    tuile->setText(etat.legende);
    QPalette pal = tuile->palette();
    pal.setColor(QPalette::Window, etat.repondue ? kGrisTuile : kBleuTuile);
    pal.setColor(QPalette::WindowText, etat.repondue ? QColor(Qt::white) : kJauneTuile);
    tuile->setPalette(pal);
}

void Ttest::arrete_chronos()
{
    m_compteurTimer->stop();
    m_chrono->stop();
}

void Ttest::avant_question()
{
    const TestEngine::Suite suite = m_moteur.avant_question();
    m_recommencer->setVisible(m_moteur.recommencer_visible());
    m_maskEdit->clear();
    switch (suite) {
    case TestEngine::Suite::DeuxiemeChance: {
        for (int k = m_moteur.nombre_produits() + 1; k <= m_moteur.dernier_rang(); ++k)
            actualise_tuile(m_moteur.ordre_questions()[k - 1]);
        m_boite->setPositionFixe(m_fond->mapTo(this, DesignScaler::scaled(QRect(kGaucheTuiles, kHautTuiles, 1, 1),
                                                                         DesignScaler::scaleOf(m_fond))
                                                          .topLeft()));
        if (!m_boite->isVisible())
            m_boite->montre(QStringLiteral("DEUXIÈME CHANCE!"), m_moteur.texte_deuxieme_chance(),
                            QStringLiteral("oui").toUpper());
        break;
    }
    case TestEngine::Suite::Fin:
        fin_du_test();
        break;
    case TestEngine::Suite::Question:
        pose_la_question();
        break;
    }
}

void Ttest::pose_la_question()
{
    if (!m_moteur.actif())
        return;
    const int longueur = m_moteur.longueur_attendue();
    m_validateur->setRegularExpression(QRegularExpression(QStringLiteral("[0-9]{0,%1}").arg(longueur)));
    m_maskEdit->setMaxLength(longueur);
    m_maskEdit->setProperty("masque", QString(longueur, QLatin1Char('9')) + QStringLiteral(";0;?"));
    const QRect champ = enDessin(m_maskEdit);
    m_maskEdit->setGeometry((kLargeurFond - (30 + 30 * longueur)) / 2, champ.y(), 30 + 30 * longueur, champ.height());
    m_maskEdit->setReadOnly(false);
    m_maskEdit->setEnabled(true);
    m_maskEdit->clear();
    m_maskEdit->setFocus();
    if (!m_state.chrono_test_visible)
        m_compteur->hide();
    m_secondes = 0;
    m_labelQuest->setText(m_moteur.texte_question());
    m_compteur->setValue(0);
    m_compteurTimer->start();
    m_chrono->start();
    m_moteur.pose_la_question(m_clock->monotonicMs());
    // Painted now when the window is on screen, so that the time starts when
    // the pupil can read the question and not after whatever else is waiting
    // to be drawn; the first question of a window being shown, at its first paint.
    m_peinte->arme();
    m_touches->prend_instant();
    m_timerJePasse->setInterval(kJePasseApresQuestion);
    m_timerJePasse->start();
    emit questionPosee();
}

void Ttest::MaskEdit1Change(const QString &texte)
{
    const qint64 instant = m_touches->prend_instant();
    const TestEngine::Frappe frappe = m_moteur.saisie(int(texte.size()), instant);
    if (frappe.arreteChrono)
        arrete_chronos();
    if (frappe.complete) {
        m_maskEdit->setReadOnly(true);
        m_jePasse->setEnabled(false);
        m_affiche->start();
    }
}

void Ttest::corrige_reponse()
{
    arrete_chronos();
    const int position = m_moteur.position_courante();
    if (!m_moteur.corrige_reponse(m_maskEdit->text()))
        return;
    actualise_tuile(position);
    emit reponseEnregistree(m_moteur.enregistrements().right(TestEngine::kLongueurEnregistrement),
                            m_moteur.temps_reponse());
    avant_question();
}

void Ttest::Button_je_passeClick()
{
    const int position = m_moteur.position_courante();
    if (!m_moteur.je_ne_sais_pas(m_clock->monotonicMs()))
        return;
    arrete_chronos();
    actualise_tuile(position);
    m_jePasse->setEnabled(false);
    m_timerJePasse->setInterval(kJePasseApresClic);
    m_timerJePasse->start();
    emit reponseEnregistree(m_moteur.enregistrements().right(TestEngine::kLongueurEnregistrement),
                            m_moteur.temps_reponse());
    avant_question();
}

void Ttest::Button_effacerClick()
{
    // A complete answer is about to be corrected: it can no longer be erased.
    if (m_moteur.reponse_complete())
        return;
    m_maskEdit->clear();
    m_maskEdit->setFocus();
}

void Ttest::chronoTimer()
{
    m_compteurTimer->stop();
    m_chrono->stop();
    const int position = m_moteur.position_courante();
    if (!m_moteur.temps_depasse())
        return;
    actualise_tuile(position);
    m_secondes = 0;
    emit reponseEnregistree(m_moteur.enregistrements().right(TestEngine::kLongueurEnregistrement),
                            qint64(m_moteur.temps_maximum()) * 1000);
    m_boite->setPositionFixe(QPoint());
    m_boite->montre(QStringLiteral("Dépassement du temps de réponse"), Tboite_message::texte_trop_long(),
                    QStringLiteral("OK"));
}

void Ttest::compteur_timerTimer()
{
    ++m_secondes;
    m_compteur->setValue(m_secondes);
    const QString dix = QStringLiteral("10 secondes");
    if (m_secondes == 10)
        m_labelTemps->setText(dix);
    else if (m_secondes == 20)
        m_labelTemps->setText(QStringLiteral("2") + dix.mid(1));
    else
        return;
    m_labelTemps->adjustSize();
    m_labelTemps->show();
    m_timerLabelTemps->start();
}

void Ttest::BitBtn_pauseClick()
{
    if (m_pause->text() == QStringLiteral("Pause")) {
        if (!m_moteur.question_ouverte() || m_moteur.reponse_complete())
            return;
        m_labelQuest->setText(QString(5, QLatin1Char(' ')));
        arrete_chronos();
        m_moteur.pause();
        // Nothing can be answered to a hidden question.
        m_maskEdit->clear();
        m_maskEdit->setEnabled(false);
        m_jePasse->setEnabled(false);
        m_timerJePasse->stop();
        m_pause->setText(QStringLiteral("Continuer"));
        m_pause->resize(110, enDessin(m_pause).height());
        m_pause->setIcon(glyphe(1));
    } else {
        m_pause->setText(QStringLiteral("Pause"));
        m_pause->resize(90, enDessin(m_pause).height());
        m_pause->setIcon(glyphe(0));
        pose_la_question();
    }
}

void Ttest::BitBtn_recommencerClick()
{
    m_pause->setText(QStringLiteral("Pause"));
    initialisation_test();
}

void Ttest::fin_du_test()
{
    arrete_chronos();
    m_timerJePasse->stop();
    m_affiche->stop();
    const QString heureFin = m_moteur.heure_actuelle();

    m_panel1->hide();
    m_maskEdit->hide();
    m_jePasse->hide();
    m_effacer->hide();
    m_recommencer->hide();
    m_pause->hide();
    m_labelTemps->hide();
    m_panelCompteur->hide();
    for (QPushButton *b : {m_retour, m_etapeSuivante, m_imprimer}) {
        b->show();
        b->setEnabled(true);
    }

    const QString enregistrements = m_moteur.enregistrements();
    const QString ligne = m_moteur.ligne_test(heureFin);
    m_verdict = TestConclusion::fin_du_test(m_state, enregistrements, ligne, m_moteur.test_tables_classiques(),
                                            m_clock->now().date());
    detruit_tuiles();
    m_fond->resize(kLargeurFond, kHauteurFond);

    const QImage grille = GridPainter::avecTransparence(
        dessine_grille_test(ligne, m_state.temps_acceptable, DesignScaler::pictureDensity(m_fond)));
    m_panel3->affiche(m_verdict, grille);
    m_panel3->move((kLargeurFond - enDessin(m_panel3).width()) / 2, 10);
    m_panel3->show();
    m_etapeSuivante->setFocus();

    if (m_verdict.nouveauPointGraphique)
        emit graphiqueChange();
    if (m_verdict.recordsMisAJour)
        emit recordsChanges();
    emit testTermine();
    if (!m_verdict.erreurRecords.isEmpty())
        Dialogs::warning(this, QStringLiteral("Classement"),
                         QStringLiteral("Le classement n'a pas pu être enregistré.") + QLatin1Char('\n')
                             + m_verdict.erreurRecords);
}

void Ttest::Button_fin_du_testClick()
{
    close();
    emit etapeSuivante(m_state.produits_a_memoriser.isEmpty());
}

void Ttest::BitBtn3Click()
{
    m_imprimer->setEnabled(false);
    m_inhibeImpression->start();
    const QString classe = m_state.mode_ecole ? m_state.eleve.classe : QString();
    const QString enregistrements = m_verdict.ligneTest.mid(TestEngine::kLongueurEntete);
    const Impression::Demande demande =
        demande_rapport_test(m_state.eleve.nom, m_state.eleve.prenom, classe, enregistrements, m_verdict.jour,
                             m_state.nom_etablissement, m_state.temps_acceptable);
    if (Impression::imprime(this, demande) == Impression::Resultat::Echec)
        Dialogs::warning(this, QStringLiteral("Impression"), QStringLiteral("L'imprimante n'a pas pu être ouverte."));
}
