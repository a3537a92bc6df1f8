#include "widgets/EscapeGuard.h"

#include <QDialog>
#include <QKeyEvent>

EscapeGuard::EscapeGuard(QDialog *activite)
    : QObject(activite)
{
    activite->installEventFilter(this);
}

bool EscapeGuard::eventFilter(QObject *objet, QEvent *event)
{
    // Only the key that reaches the dialog itself: a control that uses Escape
    // has taken it before.
    if (objet == parent() && event->type() == QEvent::KeyPress
        && static_cast<QKeyEvent *>(event)->key() == Qt::Key_Escape) {
        event->accept();
        return true;
    }
    return QObject::eventFilter(objet, event);
}
