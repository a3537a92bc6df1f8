#include "widgets/TileIcon.h"

#include <QIconEngine>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace {

// The tile is designed as 44 × 36 pixels, its symbol in points for that size.
constexpr QSizeF kDessin(44, 36);

class TileIconEngine : public QIconEngine
{
public:
    TileIconEngine(const QColor &couleur, const QString &symbole, int taillePoints)
        : m_couleur(couleur), m_symbole(symbole), m_taillePoints(taillePoints)
    {
    }

    void paint(QPainter *painter, const QRect &rect, QIcon::Mode mode, QIcon::State) override
    {
        painter->save();
        painter->setRenderHint(QPainter::Antialiasing);
        painter->setRenderHint(QPainter::TextAntialiasing);
        // The design box, scaled to fit the rectangle and centred in it.
        const qreal echelle = std::min(rect.width() / kDessin.width(), rect.height() / kDessin.height());
        painter->translate(rect.x() + (rect.width() - kDessin.width() * echelle) / 2,
                           rect.y() + (rect.height() - kDessin.height() * echelle) / 2);
        painter->scale(echelle, echelle);
        const int gris = qGray(m_couleur.rgb());
        const QColor couleur = mode == QIcon::Disabled ? QColor(gris, gris, gris).lighter(130) : m_couleur;
        QLinearGradient degrade(0, 0, 0, kDessin.height());
        degrade.setColorAt(0, couleur.lighter(135));
        degrade.setColorAt(1, couleur);
        QPainterPath forme;
        forme.addRoundedRect(QRectF(1, 1, kDessin.width() - 2, kDessin.height() - 2), 9, 9);
        painter->fillPath(forme, degrade);
        painter->setPen(QPen(couleur.darker(140), 1.5));
        painter->drawPath(forme);
        QFont font(QStringLiteral("DejaVu Sans"));
        font.setPointSize(m_taillePoints);
        font.setBold(true);
        painter->setFont(font);
        painter->setPen(Qt::white);
        painter->drawText(QRectF(QPointF(0, 0), kDessin), Qt::AlignCenter, m_symbole);
        painter->restore();
    }

    QPixmap pixmap(const QSize &size, QIcon::Mode mode, QIcon::State state) override
    {
        return scaledPixmap(size, mode, state, 1.0);
    }

    QPixmap scaledPixmap(const QSize &size, QIcon::Mode mode, QIcon::State state, qreal scale) override
    {
        QPixmap image(size * scale);
        image.setDevicePixelRatio(scale);
        image.fill(Qt::transparent);
        QPainter painter(&image);
        paint(&painter, QRect(QPoint(0, 0), size), mode, state);
        return image;
    }

    QSize actualSize(const QSize &size, QIcon::Mode, QIcon::State) override { return size; }

    QIconEngine *clone() const override { return new TileIconEngine(m_couleur, m_symbole, m_taillePoints); }

private:
    QColor m_couleur;
    QString m_symbole;
    int m_taillePoints;
};

} // namespace

QIcon tuileIcone(const QColor &couleur, const QString &symbole, int taillePoints)
{
    return QIcon(new TileIconEngine(couleur, symbole, taillePoints));
}
