#include "widgets/ScoreMeter.h"

#include <QPainter>
#include <QPainterPath>
#include <QTimer>

#include <algorithm>

namespace {

constexpr int kHauteurs[101] = {
    440, 431, 431, 425, 425, 419, 419, 413, 413, 406, 406, 400, 400, 393, 393, 387, 387, 381, 381, 375, 375,
    369, 369, 362, 362, 341, 335, 335, 329, 329, 323, 323, 316, 316, 310, 310, 303, 303, 297, 297, 291, 291,
    284, 284, 278, 278, 272, 272, 266, 266, 245, 239, 239, 232, 232, 226, 226, 219, 219, 213, 213, 207, 207,
    201, 201, 194, 194, 188, 188, 182, 182, 176, 176, 169, 169, 148, 142, 142, 136, 136, 130, 130, 123, 123,
    116, 116, 110, 110, 104, 104, 98, 98, 92, 92, 85, 85, 79, 79, 73, 73, 50};

const QRect kAfficheur(10, 13, 67, 22);
constexpr int kJaugeGauche = 21;
constexpr int kJaugeDroite = 65;
constexpr int kLongueurBanderole = 105;

} // namespace

ScoreMeter::ScoreMeter(QWidget *parent) : QWidget(parent), m_timerBravo(new QTimer(this))
{
    setObjectName(QStringLiteral("Image_score"));
    setAccessibleName(QStringLiteral("Score"));
    setFixedSize(kLargeur, kHauteur);
    m_timerBravo->setObjectName(QStringLiteral("Timer_bravo"));
    m_timerBravo->setInterval(kPeriodeBravo);
    connect(m_timerBravo, &QTimer::timeout, this, &ScoreMeter::Timer_bravoTimer);
    affiche_score(0);
}

int ScoreMeter::hauteur(int score)
{
    return kHauteurs[std::clamp(score, 0, 100)];
}

int ScoreMeter::haut_jauge(int score)
{
    score = std::clamp(score, 0, 100);
    if (score == 0 || score % 25 == 0)
        return hauteur(score);
    return hauteur(score - 1);
}

void ScoreMeter::affiche_score(int score)
{
    m_score = std::clamp(score, 0, 100);
    if (m_score == 100) {
        if (!m_timerBravo->isActive() && isVisible())
            m_timerBravo->start();
        setAccessibleDescription(QStringLiteral("Score: 100 sur 100, bravo"));
    } else {
        m_timerBravo->stop();
        m_banderole = 0;
        setAccessibleDescription(QStringLiteral("Score: %1 sur 100").arg(m_score));
    }
    update();
}

void ScoreMeter::Timer_bravoTimer()
{
    m_banderole = (m_banderole + 3) % kLongueurBanderole;
    update(kAfficheur);
}

void ScoreMeter::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    if (m_score == 100)
        m_timerBravo->start();
}

void ScoreMeter::hideEvent(QHideEvent *event)
{
    QWidget::hideEvent(event);
    m_timerBravo->stop();
}

void ScoreMeter::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    // "scoremetre": a rounded silver case with the gauge slot.
    QLinearGradient boitier(0, 0, width(), 0);
    boitier.setColorAt(0, QColor(150, 150, 160));
    boitier.setColorAt(0.5, QColor(235, 235, 240));
    boitier.setColorAt(1, QColor(150, 150, 160));
    p.setPen(QPen(QColor(80, 80, 90), 2));
    p.setBrush(boitier);
    p.drawRoundedRect(QRectF(2, 2, width() - 4, height() - 4), 14, 14);

    // The gauge: "off" above, "vert_fonce" from the top of the lit part down.
    const int bas = hauteur(0);
    const int haut = haut_jauge(m_score);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(40, 60, 40));
    p.drawRect(QRect(kJaugeGauche, hauteur(100), kJaugeDroite - kJaugeGauche + 1, bas - hauteur(100)));
    if (haut < bas) {
        QLinearGradient vert(kJaugeGauche, 0, kJaugeDroite, 0);
        vert.setColorAt(0, QColor(0, 110, 0));
        vert.setColorAt(0.5, QColor(40, 200, 40));
        vert.setColorAt(1, QColor(0, 110, 0));
        p.setBrush(vert);
        p.drawRect(QRect(kJaugeGauche, haut, kJaugeDroite - kJaugeGauche + 1, bas - haut));
    }
    // Quarter marks, where the gauge jumps.
    p.setPen(QPen(QColor(20, 20, 20), 1));
    for (int s : {25, 50, 75})
        p.drawLine(kJaugeDroite + 2, hauteur(s), kJaugeDroite + 8, hauteur(s));

    // The display.
    p.setPen(QPen(QColor(20, 20, 20), 1));
    p.setBrush(QColor(10, 30, 10));
    p.drawRect(kAfficheur);
    p.save();
    p.setClipRect(kAfficheur);
    QFont police(QStringLiteral("DejaVu Sans Mono"));
    police.setPixelSize(20);
    police.setBold(true);
    p.setFont(police);
    p.setPen(QColor(90, 255, 90));
    if (m_score < 100) {
        // "bmp_0" .. "bmp_9": tens then units.
        const QString chiffres = QStringLiteral("%1").arg(m_score, 2, 10, QLatin1Char('0'));
        p.drawText(QRect(25, 13, 17, 23), Qt::AlignCenter, chiffres.left(1));
        p.drawText(QRect(43, 13, 17, 23), Qt::AlignCenter, chiffres.mid(1, 1));
    } else {
        // "banderolle": the banner scrolls from right to left, round and round.
        police.setPixelSize(16);
        p.setFont(police);
        p.setPen(QColor(255, 220, 40));
        const int x = kAfficheur.right() - m_banderole;
        for (int decalage : {0, kLongueurBanderole})
            p.drawText(QRect(x + decalage - kLongueurBanderole + kAfficheur.width(), 13, kLongueurBanderole, 23),
                       Qt::AlignVCenter | Qt::AlignLeft, QStringLiteral("BRAVO!"));
    }
    p.restore();
}
