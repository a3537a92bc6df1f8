#include "widgets/PaintStamp.h"

#include "core/Clock.h"

#include <QEvent>
#include <QWidget>

PaintStamp::PaintStamp(QWidget *question, const Clock &clock, std::function<void(qint64)> quandPeint)
    : QObject(question)
    , m_question(question)
    , m_clock(clock)
    , m_quandPeint(std::move(quandPeint))
{
    question->installEventFilter(this);
}

void PaintStamp::arme()
{
    m_arme = true;
    m_question->repaint();
}

bool PaintStamp::eventFilter(QObject *objet, QEvent *event)
{
    if (m_arme && objet == m_question && event->type() == QEvent::Paint) {
        m_arme = false;
        m_quandPeint(m_clock.monotonicMs());
    }
    return QObject::eventFilter(objet, event);
}
