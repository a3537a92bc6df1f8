#include "training/TAdd.h"

#include "core/SessionState.h"
#include "widgets/AnswerField.h"
#include "widgets/BallPlate.h"
#include "widgets/DesignScaler.h"
#include "widgets/LevelButton.h"
#include "widgets/ScoreMeter.h"

#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QTimer>

namespace {

// The step each level button starts.
constexpr int kEtapeDuNiveau[4] = {0, 2, 3, 5};

QLabel *texte(QWidget *parent, const QString &nom, const QString &contenu, int taille, const QRect &geometrie)
{
    QLabel *label = labelGras(parent, nom, contenu, taille, geometrie);
    label->setAlignment(Qt::AlignCenter);
    return label;
}

// An arrow turned by `angle` degrees (0: to the right), or for a negative
// angle the split sign of the help, drawn in code; heard by its name.
QLabel *dessin(QWidget *parent, const QString &nom, const QString &accessible, int angle, const QRect &geometrie)
{
    QPixmap image(geometrie.size());
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(Qt::black, 3, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.translate(image.width() / 2.0, image.height() / 2.0);
    const qreal r = std::min(image.width(), image.height()) / 2.0 - 3;
    if (angle < 0) {
        p.drawLine(QPointF(0, -r), QPointF(-r, r));
        p.drawLine(QPointF(0, -r), QPointF(r, r));
    } else {
        p.rotate(angle);
        p.drawLine(QPointF(-r, 0), QPointF(r, 0));
        p.drawLine(QPointF(r, 0), QPointF(r / 3, -r / 2));
        p.drawLine(QPointF(r, 0), QPointF(r / 3, r / 2));
    }
    p.end();
    auto *label = new QLabel(parent);
    label->setObjectName(nom);
    label->setAccessibleName(accessible);
    label->setPixmap(image);
    label->setGeometry(geometrie);
    return label;
}

} // namespace

TAdd::TAdd(SessionState &, const Environment &env, QWidget *parent)
    : GameWindow(QStringLiteral("TAdd"), QStringLiteral("Addition"), env, parent), m_jeu(hasard())
{
    const QStringList noms{QStringLiteral("Niveau0"), QStringLiteral("Niveau1"), QStringLiteral("Niveau2"),
                           QStringLiteral("niveau3")};
    const QStringList bulles{QStringLiteral("Lecture nombres"), QStringLiteral("Moins de 10"),
                             QStringLiteral("Compléments à 10"), QStringLiteral("Plus de 10")};
    for (int n = 0; n < 4; ++n) {
        LevelButton *b = ajoute_niveau(noms[n], QStringLiteral("Niveau %1").arg(n), bulles[n], QPoint(16 + 179 * n, 12));
        if (n < 3) {
            dessin(m_fond, QStringLiteral("fleche_niveau%1").arg(n), QStringLiteral("puis"), 0,
                   QRect(enDessin(b).x() + enDessin(b).width() + 2, 20, 24, 32));
        }
    }

    m_question->setGeometry(40, 80, 560, 56);
    m_question->setObjectName(QStringLiteral("GradLabel1"));
    for (int i = 0; i < 4; ++i) {
        auto *plaquette = new BallPlate(QStringLiteral("Image%1").arg(i + 1), m_fond);
        plaquette->move(i < 2 ? 40 + 170 * i : 420 + 130 * (i - 2), 150);
        plaquette->hide();
        m_plaquettes << plaquette;
    }
    m_plus = texte(m_fond, QStringLiteral("Label1"), QStringLiteral("+"), 40, QRect(160, 240, 50, 50));
    m_egal = texte(m_fond, QStringLiteral("Label2"), QStringLiteral("="), 40, QRect(330, 240, 40, 50));
    m_champ->move(40, 140);
    m_oui->setGeometry(200, 410, 200, 44);
    m_message->setGeometry(200, 464, 200, 44);
    m_score->move(690, 100);

    m_aide << texte(m_fond, QStringLiteral("lab1"), QString(), 40, QRect(120, 230, 200, 50))
           << texte(m_fond, QStringLiteral("lab2"), QString(), 34, QRect(150, 320, 60, 44))
           << texte(m_fond, QStringLiteral("lab3"), QString(), 34, QRect(230, 320, 60, 44))
           << dessin(m_fond, QStringLiteral("lab4"), QStringLiteral("se décompose en"), -1, QRect(190, 278, 60, 44))
           << texte(m_fond, QStringLiteral("lab5"), QStringLiteral("Fais d'abord un groupe de 10!"), 22,
                    QRect(330, 310, 340, 40));
    for (int i = 0; i < 3; ++i) {
        m_fleches << dessin(m_fond, QStringLiteral("fleche%1").arg(i + 1), QStringLiteral("flèche"), 90,
                            QRect(150 + 80 * i, 370, 40, 40));
    }

    m_ok = new QPushButton(QStringLiteral("OK"), m_fond);
    m_ok->setObjectName(QStringLiteral("Button1"));
    m_ok->setGeometry(420, 520, 120, 40);
    connect(m_ok, &QPushButton::clicked, this, &TAdd::Button1Click);

    m_timerAide = new QTimer(this);
    m_timerAide->setObjectName(QStringLiteral("Timer_aide_add"));
    m_timerAide->setInterval(AdditionsGame::kAideMs);
    m_timerAide->setSingleShot(true);
    connect(m_timerAide, &QTimer::timeout, this, &TAdd::Timer_aide_addTimer);
    cache_tout();
}

void TAdd::initialise_jeu()
{
    affiche_score(0);
    cache_tout();
    for (LevelButton *b : m_niveaux)
        b->setEtat(LevelButton::Disponible);
    rend_courant(1);
}

void TAdd::demarre_niveau(int index)
{
    m_jeu.initialise_etape(kEtapeDuNiveau[std::clamp(index, 0, 3)]);
    m_score->setVisible(m_jeu.compteur_visible());
    affiche_score(m_jeu.score());
}

void TAdd::etape_suivante()
{
    const int suivante = m_jeu.etape() + 1;
    for (int n = 0; n < 4; ++n)
        if (kEtapeDuNiveau[n] == suivante) {
            rend_courant(n);
            return;
        }
    m_jeu.initialise_etape(suivante);
    nouvelle_question();
}

void TAdd::cache_tout()
{
    GameWindow::cache_tout();
    m_timerAide->stop();
    for (QLabel *l : m_aide)
        l->hide();
    for (QLabel *l : m_fleches)
        l->hide();
    m_ok->hide();
    m_plaquettes[2]->hide();
    m_plaquettes[3]->hide();
}

void TAdd::montre_plaquettes(int rouges, int vertes)
{
    // A number above 10 takes two plaquettes: 10 on the first, the rest on the second.
    m_plaquettes[0]->dessine(std::min(rouges, 10), 0);
    m_plaquettes[0]->show();
    if (vertes >= 0)
        m_plaquettes[1]->dessine(0, vertes);
    else
        m_plaquettes[1]->dessine(std::max(0, rouges - 10), 0);
    m_plaquettes[1]->setVisible(vertes >= 0 || rouges > 10);
}

void TAdd::place_champ()
{
    const int longueur = m_jeu.round().longueur_attendue();
    m_champ->prepare(longueur, longueur >= 2 ? 85 : 55);
    const int etape = m_jeu.etape();
    if (etape == 2) {
        m_champ->move(380, 244);
    } else if (etape == 3 || etape == 4) {
        // In the gap of "a+    =10".
        const QFontMetrics fm(DesignScaler::designFont(m_question));
        const QString avant = QString::number(m_jeu.terme1()) + QLatin1Char('+');
        m_champ->move(enDessin(m_question).x() + fm.horizontalAdvance(avant) + 4, enDessin(m_question).y() + 2);
    } else if (etape == 5) {
        const QFontMetrics fm(DesignScaler::designFont(m_question));
        m_champ->move(enDessin(m_question).x() + fm.horizontalAdvance(m_jeu.question()) + 10, enDessin(m_question).y() + 2);
    } else {
        m_champ->move(380, 244);
    }
}

void TAdd::choisit_question()
{
    m_timerAide->stop();
    m_jeu.choisit_question(maintenant());
    const int etape = m_jeu.etape();
    m_question->setText(m_jeu.question());
    m_question->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    const bool addition = etape == 2;
    m_plus->setVisible(addition);
    m_egal->setVisible(etape <= 2);
    if (etape <= 1)
        montre_plaquettes(m_jeu.terme1(), -1);
    else if (addition)
        montre_plaquettes(m_jeu.terme1(), m_jeu.terme2());
    else if (etape == 3)
        montre_plaquettes(m_jeu.terme1(), -1);
    else
        for (BallPlate *p : m_plaquettes)
            p->hide();
    place_champ();
    m_timerAide->start();
}

void TAdd::traite_reponse(const QString &texte)
{
    const AdditionsGame::Suite suite = m_jeu.traite_reponse(texte);
    if (m_jeu.compteur_visible())
        affiche_score(m_jeu.score());
    if (!suite.juste) {
        montre_faux();
        return;
    }
    m_timerAide->stop();
    if (suite.correction) {
        m_oui->setText(QStringLiteral("oui").toUpper());
        m_oui->show();
        m_champ->setReadOnly(true);
        const int a = m_jeu.terme1();
        const int b = m_jeu.terme2();
        if (a + b >= 11) {
            m_plaquettes[2]->dessine(a, 10 - a);
            m_plaquettes[3]->dessine(0, a + b - 10);
            m_plaquettes[3]->show();
        } else {
            m_plaquettes[2]->dessine(a, b);
        }
        m_plaquettes[2]->show();
        m_ok->show();
        m_ok->setFocus();
        return;
    }
    montre_juste(suite.delaiMs, suite.plusVite);
}

void TAdd::Button1Click()
{
    m_ok->hide();
    avant_question();
}

void TAdd::Timer_aide_addTimer()
{
    m_timerAide->stop();
    if (m_jeu.etape() != 5 || m_jeu.terme2() < 0)
        return;
    const int a = m_jeu.terme1();
    const int b = m_jeu.terme2();
    m_aide[0]->setText(QStringLiteral("%1+%2").arg(a).arg(b));
    m_aide[1]->setText(QString::number(10 - a));
    m_aide[2]->setText(QString::number(a + b - 10));
    for (QLabel *l : m_aide)
        l->show();
}
