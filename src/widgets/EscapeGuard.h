#pragma once

#include <QObject>

class QDialog;

// An activity is left through its close box or the buttons it shows, never
// by a stray Escape: a dialog reads Escape as "cancel" and would close the
// training or a game in the middle, losing its step or its meter. Prompts
// and question boxes keep their Escape.
class EscapeGuard : public QObject
{
public:
    explicit EscapeGuard(QDialog *activite);

protected:
    bool eventFilter(QObject *objet, QEvent *event) override;
};
