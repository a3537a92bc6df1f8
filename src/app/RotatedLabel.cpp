#include "app/RotatedLabel.h"

#include "widgets/DesignScaler.h"

#include <QPainter>

#include <algorithm>
#include <cmath>

RotatedLabel::RotatedLabel(const QString &text, QWidget *parent)
    : QWidget(parent), m_text(text)
{
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setAccessibleName(text);
}

void RotatedLabel::setColor(const QColor &color)
{
    m_color = color;
    update();
}

namespace {
constexpr int kMarge = 26;
}

void RotatedLabel::placeDans(const QRect &boite)
{
    m_boite = boite;
    // What would stand out of the parent is never seen: the widget stops at
    // its left and bottom edges (its width still grows to the right).
    QRect zone = boite.adjusted(-kMarge, -kMarge, kMarge, kMarge);
    if (const QWidget *parent = parentWidget()) {
        zone.setLeft(std::max(zone.left(), 0));
        zone.setTop(std::max(zone.top(), 0));
        zone.setBottom(std::min(zone.bottom(), enDessin(parent).height() - 1));
    }
    setGeometry(zone);
}

void RotatedLabel::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::TextAntialiasing);
    painter.setFont(font());
    painter.setPen(m_color);
    const QFontMetrics metrics(font());
    // The box is in the graph's design pixels; the widget is shown at its scale.
    const QRect boite = DesignScaler::scaled(m_boite, DesignScaler::scaleOf(this));
    const QSize taille = m_boite.isValid() ? boite.size() : size();
    const QPoint coin = m_boite.isValid() ? boite.topLeft() - pos() : QPoint();
    const double diagonale = std::hypot(double(taille.width()), double(taille.height()));
    const int largeur = metrics.horizontalAdvance(m_text);
    painter.translate(coin.x(), coin.y() + taille.height());
    painter.rotate(-45.0);
    // Right-aligned along the diagonal, the tops of the letters on it, so
    // that the text ends just short of the upper right corner, under the
    // bar it names, without running into it.
    const double x = diagonale - largeur - 4.0;
    painter.drawText(QPointF(x, metrics.ascent()), m_text);
}
