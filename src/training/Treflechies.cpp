#include "training/Treflechies.h"

#include "core/SessionState.h"
#include "widgets/AnswerField.h"
#include "widgets/LevelButton.h"
#include "widgets/ScoreMeter.h"

#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTimer>

namespace {

// The setting's own default when the configuration gave none.
int temps_acceptable(const SessionState &state)
{
    return state.temps_acceptable > 0 ? state.temps_acceptable : 4;
}

} // namespace

Treflechies::Treflechies(SessionState &state, const Environment &env, QWidget *parent)
    : GameWindow(QStringLiteral("Treflechies"), QStringLiteral("Tables Réfléchies"), env, parent)
    , m_state(state)
    , m_jeu(hasard(), temps_acceptable(state))
{
    ajoute_niveau(QStringLiteral("niveau1"), QStringLiteral("Étape 1"), QStringLiteral("Tables de 0, 1         et 10"),
                  QPoint(200, 20));
    ajoute_niveau(QStringLiteral("niveau2"), QStringLiteral("Étape 2"), QStringLiteral("tables de 11, 20  et 50"),
                  QPoint(420, 20));

    m_question->setGeometry(120, 130, 300, 60);
    m_question->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    m_champ->move(430, 134);
    m_oui->setGeometry(280, 220, 200, 44);
    m_message->setGeometry(280, 274, 200, 44);
    m_score->move(690, 100);

    m_memo = new QPlainTextEdit(m_fond);
    m_memo->setObjectName(QStringLiteral("Memo1"));
    m_memo->setAccessibleName(QStringLiteral("Explication"));
    m_memo->setReadOnly(true);
    m_memo->setFocusPolicy(Qt::NoFocus);
    m_memo->setGeometry(40, 240, 200, 230);
    QFont memo(QStringLiteral("Arial"));
    memo.setPixelSize(18);
    m_memo->setFont(memo);
    m_memo->hide();

    m_correction = gradLabel(m_fond, QStringLiteral("GradLabel1"), 30, QColor(0, 110, 0));
    m_correction->setGeometry(260, 340, 400, 50);
    m_ok = new QPushButton(QStringLiteral("OK"), m_fond);
    m_ok->setObjectName(QStringLiteral("Button1"));
    m_ok->setGeometry(400, 410, 120, 40);
    m_ok->hide();
    connect(m_ok, &QPushButton::clicked, this, &Treflechies::Button1Click);
}

void Treflechies::initialise_jeu()
{
    // The windows are built before the configuration is read: the
    // acceptable time is the one of this opening.
    m_jeu.setSecondesAcceptables(temps_acceptable(m_state));
    affiche_score(0);
    cache_tout();
    for (LevelButton *b : m_niveaux)
        b->setEtat(LevelButton::Disponible);
    rend_courant(0);
}

void Treflechies::demarre_niveau(int index)
{
    m_jeu.initialise_etape(index + 1);
    affiche_score(0);
}

void Treflechies::etape_suivante()
{
    rend_courant(1);
}

void Treflechies::cache_tout()
{
    GameWindow::cache_tout();
    m_memo->hide();
    m_correction->hide();
    m_ok->hide();
}

void Treflechies::choisit_question()
{
    m_jeu.choisit_question(maintenant());
    m_memo->setPlainText(ReasonedTables::explication(m_jeu.etape(), m_jeu.motif()).join(QLatin1Char('\n')));
    m_question->setText(m_jeu.question() + QStringLiteral(" = "));
    const int longueur = m_jeu.round().longueur_attendue();
    m_champ->prepare(longueur, 9 + 39 * longueur);
}

void Treflechies::traite_reponse(const QString &texte)
{
    const ReasonedTables::Suite suite = m_jeu.traite_reponse(texte);
    affiche_score(m_jeu.score());
    if (suite.juste) {
        montre_juste(suite.delaiMs, suite.plusVite);
        return;
    }
    montre_faux();
    m_memo->show();
    if (suite.montreCorrection) {
        m_correction->setText(m_jeu.correction());
        m_correction->show();
        m_champ->setEnabled(false);
        m_ok->show();
        m_ok->setFocus();
    }
}

void Treflechies::Button1Click()
{
    m_ok->hide();
    demarre_timer1(500);
}
