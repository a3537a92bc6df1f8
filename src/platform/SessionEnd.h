#pragma once

#include <QObject>

class QSocketNotifier;

// The program can be ended without its windows being closed: the user logs
// off or shuts the machine down with the program still open (the desktop
// session asks the program to save its data), or the system asks it to stop
// (a termination, hang-up or interrupt signal). SessionEnd turns each of these
// into one signal, `ending`, delivered once in the main thread, so that the
// pupil's work is recorded before the program goes. While it lives, a
// termination signal no longer kills the process at once; a second one does,
// as usual, should the first not have ended the program. Only one may exist
// at a time.
class SessionEnd : public QObject
{
    Q_OBJECT

public:
    explicit SessionEnd(QObject *parent = nullptr);
    ~SessionEnd() override;

signals:
    void ending();

private:
    void annonce();

    QSocketNotifier *m_notifier = nullptr;
    bool m_annoncee = false;
};
