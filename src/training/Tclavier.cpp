#include "training/Tclavier.h"

#include "core/SessionState.h"
#include "widgets/AnswerField.h"
#include "widgets/Beep.h"
#include "widgets/ScoreMeter.h"

#include <QLabel>
#include <QPushButton>
#include <QTimer>

Tclavier::Tclavier(SessionState &, const Environment &env, QWidget *parent)
    : GameWindow(QStringLiteral("Tclavier"), QStringLiteral("Apprentissage du clavier"), env, parent)
    , m_jeu(hasard())
{
    m_recopie = gradLabel(m_fond, QStringLiteral("GradLabel1"), 30, QColor(0, 0, 160));
    m_recopie->setText(QStringLiteral("Recopie:"));
    m_recopie->setGeometry(120, 150, 170, 50);
    m_question->setGeometry(310, 140, 120, 70);
    m_question->setAlignment(Qt::AlignCenter);
    m_champ->move(440, 150);
    m_message->setGeometry(300, 260, 200, 44);
    m_oui->hide();
    labelGras(m_fond, QStringLiteral("label_temps1"), QStringLiteral("Vitesse de frappe"), 20, QRect(160, 380, 200, 30));
    m_vitesse = labelGras(m_fond, QStringLiteral("label_temps2"), QStringLiteral("0"), 28, QRect(370, 374, 80, 40));
    m_vitesse->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    labelGras(m_fond, QStringLiteral("SRLabel1"), QStringLiteral("chiffres par minute"), 20, QRect(460, 380, 220, 30));
    m_score->move(690, 100);
    m_pause = new QPushButton(QStringLiteral("Pause"), m_fond);
    m_pause->setObjectName(QStringLiteral("BitBtn_pause"));
    m_pause->hide();
}

void Tclavier::initialise_jeu()
{
    affiche_score(0);
    cache_tout();
    m_termine = false;
    m_question->show();
    m_vitesse->setText(QStringLiteral("0"));
    m_jeu.initialise_jeu();
    nouvelle_question();
}

void Tclavier::demarre_niveau(int index)
{
    m_jeu.initialise_etape(index + 1);
}

void Tclavier::etape_suivante()
{
    // The meter and the copies carry over to the second step.
    m_jeu.initialise_etape(m_jeu.etape() + 1);
    nouvelle_question();
}

void Tclavier::choisit_question()
{
    m_jeu.choisit_question(maintenant());
    m_question->setText(m_jeu.cible());
    m_recopie->setVisible(m_jeu.montre_recopie());
    const int longueur = int(m_jeu.cible().size());
    m_champ->prepare(longueur, 9 + 39 * longueur);
}

void Tclavier::MaskEdit1KeyUp(const QString &texte)
{
    if (m_termine || m_champ->isReadOnly() || m_timer1->isActive())
        return;
    if (!m_jeu.chiffre_accepte(texte)) {
        // The wrong digit stays selected, so that the right one replaces it at once.
        m_champ->setSelection(int(texte.size()) - 1, 1);
        Beep::joue(kBipHz, kBipMs);
        return;
    }
    if (texte == m_jeu.cible())
        traite_reponse(texte);
}

void Tclavier::traite_reponse(const QString &)
{
    const KeyboardGame::Suite suite = m_jeu.traite_reponse(maintenant());
    m_vitesse->setText(QString::number(m_jeu.vitesse()));
    affiche_score(m_jeu.score());
    if (suite.plusVite) {
        m_message->setText(QStringLiteral("Plus vite!"));
        m_message->show();
    }
    m_champ->setReadOnly(true);
    demarre_timer1(suite.delaiMs);
}

void Tclavier::fin_du_jeu()
{
    GameWindow::fin_du_jeu();
    m_recopie->hide();
}
