#pragma once

#include <QString>
#include <QMessageBox>

#include <functional>

class QWidget;

// Every message box, input box, file dialog and print dialog of the program
// goes through here, so that a headless test can answer the next one without
// a person: setNext...() queues an answer that the next call takes instead of
// showing anything; what would have been shown is recorded for inspection.
namespace Dialogs {

struct Shown
{
    QString kind;   // "information", "warning", "error", "question", "okCancel", "input", "file", "print"
    QString title;
    QString text;
};

// The text as a box shows it: the line breaks the stored messages carry
// ("\n\r", "\r\n", a lone "\r") become plain line breaks.
QString displayText(const QString &text);

// Information box; returns when closed.
void information(QWidget *parent, const QString &title, const QString &text);
void warning(QWidget *parent, const QString &title, const QString &text);
void error(QWidget *parent, const QString &title, const QString &text);
// Yes/No question; true for Yes.
bool question(QWidget *parent, const QString &title, const QString &text);
// OK/Cancel with Cancel as default and an error icon; true for OK.
bool okCancel(QWidget *parent, const QString &title, const QString &text);
// Input box; false when cancelled.
bool inputText(QWidget *parent, const QString &title, const QString &prompt, QString *value);
// File dialogs; empty when cancelled.
QString openFileName(QWidget *parent, const QString &title, const QString &folder, const QString &filter);
QString saveFileName(QWidget *parent, const QString &title, const QString &folder, const QString &filter);
// The print dialog, which the caller shows (the printer lives in a module
// loaded at the first print); true when confirmed.
bool confirmPrint(const std::function<bool()> &showDialog);

// Test hooks.
void setNextAnswer(bool yesOrOk);               // question, okCancel, confirmPrint; also closes information boxes
void setNextText(const QString &text);          // the text inputText answers (setNextAnswer(false) cancels it)
void setNextFileName(const QString &fileName);  // file dialogs; empty cancels
// In test mode every box is recorded and answered at once (information boxes
// are simply closed; questions take the queued answer, or "No"/"Cancel").
void setTestMode(bool on);
bool testMode();
const QList<Shown> &history();
void clearHistory();

} // namespace Dialogs
