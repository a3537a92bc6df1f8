#include "app/RotatedLabel.h"

#include <QPainter>
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
    setGeometry(boite.adjusted(-kMarge, -kMarge, kMarge, kMarge));
}

void RotatedLabel::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::TextAntialiasing);
    painter.setFont(font());
    painter.setPen(m_color);
    const QFontMetrics metrics(font());
    const QSize taille = m_boite.isValid() ? m_boite.size() : size();
    const int marge = m_boite.isValid() ? kMarge : 0;
    const double diagonale = std::hypot(double(taille.width()), double(taille.height()));
    const int largeur = metrics.horizontalAdvance(m_text);
    painter.translate(marge, marge + taille.height());
    painter.rotate(-45.0);
    // Right-aligned along the diagonal, the tops of the letters on it, so
    // that the text ends just short of the upper right corner, under the
    // bar it names, without running into it.
    const double x = diagonale - largeur - 4.0;
    painter.drawText(QPointF(x, metrics.ascent()), m_text);
}
