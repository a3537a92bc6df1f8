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
    m_dansRepaint = true;
    m_question->repaint();
    m_dansRepaint = false;
    // Painted and put on screen within repaint(): the time starts once it returns.
    if (!m_arme)
        m_quandPeint(m_clock.monotonicMs());
}

bool PaintStamp::eventFilter(QObject *objet, QEvent *event)
{
    if (m_arme && objet == m_question && event->type() == QEvent::Paint) {
        m_arme = false;
        if (!m_dansRepaint)
            m_quandPeint(m_clock.monotonicMs());
    }
    return QObject::eventFilter(objet, event);
}
