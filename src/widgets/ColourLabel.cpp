#include "widgets/ColourLabel.h"

#include <QPainter>

ColourLabel::ColourLabel(const QString &texte, QWidget *parent)
    : QLabel(texte, parent)
{
    setTextFormat(Qt::PlainText);
    setAlignment(Qt::AlignCenter);
}

void ColourLabel::setCouleurs(const QColor &fond, const QColor &texte)
{
    if (fond == m_fond && texte == couleurTexte())
        return;
    m_fond = fond;
    QPalette p = palette();
    p.setColor(QPalette::WindowText, texte);
    setPalette(p);
    update();
}

void ColourLabel::setBordure(const QColor &bordure)
{
    m_bordure = bordure;
    update();
}

void ColourLabel::paintEvent(QPaintEvent *event)
{
    {
        QPainter p(this);
        if (m_fond.isValid())
            p.fillRect(rect(), m_fond);
        if (m_bordure.isValid()) {
            p.setPen(m_bordure);
            p.drawRect(rect().adjusted(0, 0, -1, -1));
        }
    }
    QLabel::paintEvent(event);
}
