#pragma once

#include <QObject>
#include <QtGlobal>

#include <functional>

class Clock;
class QWidget;

// When a question really reached the screen. A question's time starts when
// the pupil can read it: the window arms the stamp when it sets the question
// and is told the moment the question's label is next painted. A window
// that sets its first question while it is being shown is painted only once
// it is on screen, and the time starts then.
class PaintStamp : public QObject
{
public:
    PaintStamp(QWidget *question, const Clock &clock, std::function<void(qint64)> quandPeint);

    // The question is set: painted now when the window is on screen, at its
    // first paint otherwise.
    void arme();

protected:
    bool eventFilter(QObject *objet, QEvent *event) override;

private:
    QWidget *m_question;
    const Clock &m_clock;
    std::function<void(qint64)> m_quandPeint;
    bool m_arme = false;
    bool m_dansRepaint = false;
};
