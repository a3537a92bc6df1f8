#include "app/GraphBar.h"

#include <QMouseEvent>
#include <QPainter>

GraphBar::GraphBar(int entree, int tag, int fill, QWidget *parent)
    : QWidget(parent), m_entree(entree), m_tag(tag)
{
    if (fill >= 0)
        m_fill = QColor::fromRgb(QRgb(0xFF000000u | unsigned(fill)));
    setCursor(Qt::PointingHandCursor);
    setProperty("tag", tag);
}

void GraphBar::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    if (m_fill.isValid())
        painter.fillRect(rect(), m_fill);
    painter.setPen(Qt::black);
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
}

void GraphBar::mousePressEvent(QMouseEvent *event)
{
    emit pressed(m_entree, event->button(), event->globalPosition().toPoint());
    event->accept();
}

void GraphBar::mouseReleaseEvent(QMouseEvent *event)
{
    emit released(m_entree);
    event->accept();
}
