#include "widgets/BallPlate.h"

#include "widgets/DesignScaler.h"

#include <QPainter>

#include <algorithm>

BallPlate::BallPlate(const QString &nom, QWidget *parent) : QWidget(parent)
{
    setObjectName(nom);
    setFixedSize(kLargeur, kHauteur);
    dessine(0, 0);
}

QPoint BallPlate::place(int numero)
{
    const int i = std::clamp(numero, 1, 10) - 1;
    return QPoint(i < 5 ? 15 : 75, 15 + 45 * (i % 5));
}

void BallPlate::dessine(int rouges, int vertes)
{
    m_rouges = std::clamp(rouges, 0, 10);
    m_vertes = std::clamp(vertes, 0, 10 - m_rouges);
    QString description = QStringLiteral("%1 boules rouges").arg(m_rouges);
    if (m_vertes > 0)
        description += QStringLiteral(" et %1 boules vertes").arg(m_vertes);
    setAccessibleDescription(description);
    update();
}

void BallPlate::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    // The plate and its balls are drawn in design pixels, at the window's scale.
    const double echelle = DesignScaler::scaleOf(this);
    p.scale(echelle, echelle);
    const QSize taille = enDessin(this).size();
    p.setPen(QPen(QColor(120, 90, 40), 2));
    p.setBrush(QColor(250, 235, 200));
    p.drawRoundedRect(QRectF(1, 1, taille.width() - 2, taille.height() - 2), 8, 8);
    for (int n = 1; n <= 10; ++n) {
        const QRectF cercle(QRectF(place(n), QSizeF(30, 30)));
        if (n > m_rouges + m_vertes) {
            // "neutre": an empty hollow.
            p.setPen(QPen(QColor(170, 150, 110), 1.5));
            p.setBrush(QColor(235, 215, 175));
            p.drawEllipse(cercle.adjusted(2, 2, -2, -2));
            continue;
        }
        const QColor couleur = n <= m_rouges ? QColor(220, 20, 20) : QColor(20, 170, 40);
        QRadialGradient relief(cercle.center() - QPointF(5, 5), 18);
        relief.setColorAt(0, couleur.lighter(170));
        relief.setColorAt(1, couleur);
        p.setPen(QPen(couleur.darker(150), 1));
        p.setBrush(relief);
        p.drawEllipse(cercle);
    }
}
