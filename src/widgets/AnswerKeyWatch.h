#pragma once

#include <QObject>
#include <QtGlobal>

class Clock;
class QLineEdit;
class QWidget;

// The keyboard side of an answer window (test, training): while the window
// is shown, Num Lock and Caps Lock are kept on so the numeric keypad types
// digits, and every key pressed in the answer field is dated from its own
// time stamp (KeyPressTime) before the field handles it. The window asks
// for that moment when the field's text changes. The field is given its
// large digits and loses its paste and drop, so that every change is a key.
class AnswerKeyWatch : public QObject
{
    Q_OBJECT

public:
    AnswerKeyWatch(QWidget *fenetre, QLineEdit *champ, const Clock &clock);
    ~AnswerKeyWatch() override;

    // The window is shown: both locks on, keys watched.
    void demarre();
    // The window is hidden: keys no longer watched; both locks off when asked.
    void arrete(bool eteindreVerrouillages);

    // When the key now changing the field was pressed, or the clock's now
    // when the change came from elsewhere. Each stamp is used once.
    qint64 prend_instant();

signals:
    void suppressionDemandee();     // Delete in the field: the window clears the answer

protected:
    bool eventFilter(QObject *objet, QEvent *event) override;

private:
    void fixe(bool allumes);

    QWidget *m_fenetre;
    QLineEdit *m_champ;
    const Clock &m_clock;
    bool m_actif = false;
    qint64 m_toucheMs = -1;
};
