#include "training/GameWindow.h"

#include "core/Clock.h"
#include "core/GameRound.h"
#include "core/RandomSource.h"
#include "core/SessionState.h"
#include "widgets/ActivityWindowFrame.h"
#include "widgets/AnswerField.h"
#include "widgets/AnswerKeyWatch.h"
#include "widgets/EscapeGuard.h"
#include "widgets/LevelButton.h"
#include "widgets/PaintStamp.h"
#include "widgets/ScoreMeter.h"

#include <QKeyEvent>
#include <QLabel>
#include <QTimer>

QLabel *labelGras(QWidget *parent, const QString &nom, const QString &texte, int taille, const QRect &geometrie)
{
    auto *label = new QLabel(texte, parent);
    label->setObjectName(nom);
    QFont police(QStringLiteral("Arial"));
    police.setPixelSize(taille);
    police.setBold(true);
    label->setFont(police);
    label->setTextFormat(Qt::PlainText);
    if (geometrie.isValid())
        label->setGeometry(geometrie);
    return label;
}

QLabel *gradLabel(QWidget *parent, const QString &nom, int taille, const QColor &couleur)
{
    QLabel *label = labelGras(parent, nom, QString(), taille);
    label->setAlignment(Qt::AlignCenter);
    label->setStyleSheet(QStringLiteral("QLabel { color: %1; background: qlineargradient(x1:0, y1:0, x2:0, y2:1, "
                                        "stop:0 #fffbe0, stop:1 #ffd860); border: 1px solid #b08000; "
                                        "border-radius: 6px; }")
                             .arg(couleur.name()));
    label->hide();
    return label;
}

GameWindow::GameWindow(const QString &nom, const QString &legende, const Environment &env, QWidget *parent)
    : QDialog(parent)
    , m_clock(env.clock)
    , m_random(env.random)
{
    if (!m_clock) {
        m_horlogePropre = std::make_unique<SystemClock>();
        m_clock = m_horlogePropre.get();
    }
    if (!m_random) {
        m_hasardPropre = std::make_unique<SystemRandom>();
        m_random = m_hasardPropre.get();
    }
    setObjectName(nom);
    setWindowTitle(legende);
    setModal(true);
    m_fond = (new ActivityWindowFrame(this, QStringLiteral("fond"), legende))->contenu();
    m_fond->setAutoFillBackground(true);
    QPalette pal = m_fond->palette();
    pal.setColor(QPalette::Window, QColor(225, 240, 255));
    m_fond->setPalette(pal);

    m_question = labelGras(m_fond, QStringLiteral("label_quest1"), QString(), 44);
    // A key typed before the question was painted keeps its time.
    m_peinte = new PaintStamp(m_question, *m_clock, [this](qint64 instant) {
        if (m_champ->text().isEmpty())
            round().setAffichage(instant);
    });
    new EscapeGuard(this);

    m_champ = new AnswerField(*m_clock, m_fond);
    m_champ->resize(87, 52);
    connect(m_champ, &AnswerField::toucheRelachee, this, &GameWindow::MaskEdit1KeyUp);
    // The answers are typed on the numeric keypad: Num Lock and Caps Lock on
    // while the game is shown. The watch takes Delete for itself.
    m_touches = new AnswerKeyWatch(this, m_champ, *m_clock);
    connect(m_touches, &AnswerKeyWatch::suppressionDemandee, this, [this] {
        if (!m_champ->isReadOnly())
            m_champ->clear();
    });

    m_oui = gradLabel(m_fond, QStringLiteral("GradLabel3"), 30, QColor(0, 0, 160));
    m_message = gradLabel(m_fond, QStringLiteral("GradLabel2"), 30, QColor(200, 0, 0));

    m_score = new ScoreMeter(m_fond);

    m_timer1 = new QTimer(this);
    m_timer1->setObjectName(QStringLiteral("Timer1"));
    m_timer1->setSingleShot(true);
    connect(m_timer1, &QTimer::timeout, this, &GameWindow::Timer1Timer);
}

GameWindow::~GameWindow()
{
    // Destroyed while shown: no hide event will come, the locks go off here.
    if (isVisible())
        m_touches->arrete(true);
}

qint64 GameWindow::maintenant() const
{
    return m_clock->monotonicMs();
}

LevelButton *GameWindow::ajoute_niveau(const QString &nom, const QString &legende, const QString &bulle,
                                       const QPoint &position)
{
    auto *bouton = new LevelButton(nom, legende, m_fond);
    bouton->setToolTip(bulle);
    bouton->move(position);
    const int index = int(m_niveaux.size());
    m_niveaux << bouton;
    connect(bouton, &LevelButton::choisi, this, [this, index] { rend_courant(index); });
    return bouton;
}

void GameWindow::rend_courant(int index)
{
    for (int i = 0; i < m_niveaux.size(); ++i) {
        LevelButton *b = m_niveaux[i];
        if (i == index)
            b->setEtat(LevelButton::Courant);
        else if (b->etat() != LevelButton::Indisponible)
            b->setEtat(LevelButton::Disponible);
    }
    m_timer1->stop();
    m_termine = false;
    cache_tout();
    m_question->show();
    demarre_niveau(index);
    nouvelle_question();
}

void GameWindow::nouvelle_question()
{
    choisit_question();
    m_peinte->arme();
    emit questionPosee();
}

void GameWindow::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (!event->spontaneous()) {
        m_touches->demarre();
        initialise_jeu();
    }
}

void GameWindow::hideEvent(QHideEvent *event)
{
    QDialog::hideEvent(event);
    if (!event->spontaneous()) {
        m_touches->arrete(true);
        m_timer1->stop();
        cache_tout();
    }
}

void GameWindow::cache_tout()
{
    m_oui->hide();
    m_message->hide();
}

void GameWindow::affiche_score(int score)
{
    m_score->affiche_score(score);
}

void GameWindow::montre_juste(int delaiMs, bool plusVite)
{
    m_oui->setText(QStringLiteral("oui").toUpper());
    m_oui->show();
    if (plusVite) {
        m_message->setText(QStringLiteral("Plus vite!"));
        m_message->show();
    }
    m_champ->setReadOnly(true);
    demarre_timer1(delaiMs);
}

void GameWindow::montre_faux()
{
    m_oui->setText(QStringLiteral("NON!"));
    m_oui->show();
    m_champ->selectionne_tout();
}

void GameWindow::demarre_timer1(int delaiMs)
{
    m_timer1->setInterval(delaiMs);
    m_timer1->start();
}

void GameWindow::Timer1Timer()
{
    m_timer1->stop();
    cache_tout();
    avant_question();
}

void GameWindow::avant_question()
{
    cache_tout();
    if (etape_terminee()) {
        if (derniere_etape())
            fin_du_jeu();
        else
            etape_suivante();
        return;
    }
    nouvelle_question();
}

void GameWindow::fin_du_jeu()
{
    m_termine = true;
    m_message->setText(QStringLiteral("TERMINÉ!"));
    m_message->show();
    m_question->hide();
    m_champ->hide();
    emit jeuTermine();
}

void GameWindow::MaskEdit1KeyUp(const QString &texte)
{
    if (m_termine || m_champ->isReadOnly() || m_timer1->isActive())
        return;
    if (round().frappe(texte, m_champ->instantPremiereTouche()))
        traite_reponse(texte);
}
