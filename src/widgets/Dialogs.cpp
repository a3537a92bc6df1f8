#include "widgets/Dialogs.h"

#include <QFileDialog>
#include <QInputDialog>
#include <QPushButton>
#include <QQueue>

namespace Dialogs {
namespace {

struct TestState
{
    bool on = false;
    QQueue<bool> answers;
    QQueue<QString> texts;
    QQueue<QString> fileNames;
    QList<Shown> history;
};

TestState &state()
{
    static TestState s;
    return s;
}

void record(const QString &kind, const QString &title, const QString &text)
{
    state().history.append({kind, title, text});
}

bool takeAnswer(bool fallback)
{
    return state().answers.isEmpty() ? fallback : state().answers.dequeue();
}

int showBox(QWidget *parent, QMessageBox::Icon icon, const QString &title, const QString &text,
            QMessageBox::StandardButtons buttons, QMessageBox::StandardButton defaultButton)
{
    QMessageBox box(icon, title, displayText(text), buttons, parent);
    box.setDefaultButton(defaultButton);
    return box.exec();
}

} // namespace

QString displayText(const QString &text)
{
    QString t = text;
    t.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    t.replace(QStringLiteral("\n\r"), QStringLiteral("\n"));
    t.replace(u'\r', u'\n');
    return t;
}

void information(QWidget *parent, const QString &title, const QString &text)
{
    record(QStringLiteral("information"), title, text);
    if (state().on)
        return;
    showBox(parent, QMessageBox::Information, title, text, QMessageBox::Ok, QMessageBox::Ok);
}

void warning(QWidget *parent, const QString &title, const QString &text)
{
    record(QStringLiteral("warning"), title, text);
    if (state().on)
        return;
    showBox(parent, QMessageBox::Warning, title, text, QMessageBox::Ok, QMessageBox::Ok);
}

void error(QWidget *parent, const QString &title, const QString &text)
{
    record(QStringLiteral("error"), title, text);
    if (state().on)
        return;
    showBox(parent, QMessageBox::Critical, title, text, QMessageBox::Ok, QMessageBox::Ok);
}

bool question(QWidget *parent, const QString &title, const QString &text)
{
    record(QStringLiteral("question"), title, text);
    if (state().on)
        return takeAnswer(false);
    QMessageBox box(QMessageBox::Question, title, displayText(text), QMessageBox::Yes | QMessageBox::No, parent);
    box.button(QMessageBox::Yes)->setText(QStringLiteral("Oui"));
    box.button(QMessageBox::No)->setText(QStringLiteral("Non"));
    return box.exec() == QMessageBox::Yes;
}

bool okCancel(QWidget *parent, const QString &title, const QString &text)
{
    record(QStringLiteral("okCancel"), title, text);
    if (state().on)
        return takeAnswer(false);
    QMessageBox box(QMessageBox::Critical, title, displayText(text), QMessageBox::Ok | QMessageBox::Cancel, parent);
    box.setDefaultButton(QMessageBox::Cancel);
    box.button(QMessageBox::Cancel)->setText(QStringLiteral("Annuler"));
    return box.exec() == QMessageBox::Ok;
}

bool inputText(QWidget *parent, const QString &title, const QString &prompt, QString *value)
{
    record(QStringLiteral("input"), title, prompt);
    if (state().on) {
        if (!takeAnswer(true))
            return false;
        if (!state().texts.isEmpty())
            *value = state().texts.dequeue();
        return true;
    }
    bool ok = false;
    const QString answer = QInputDialog::getText(parent, title, prompt, QLineEdit::Normal, *value, &ok);
    if (ok)
        *value = answer;
    return ok;
}

QString openFileName(QWidget *parent, const QString &title, const QString &folder, const QString &filter)
{
    record(QStringLiteral("file"), title, folder);
    if (state().on)
        return state().fileNames.isEmpty() ? QString() : state().fileNames.dequeue();
    return QFileDialog::getOpenFileName(parent, title, folder, filter);
}

QString saveFileName(QWidget *parent, const QString &title, const QString &folder, const QString &filter)
{
    record(QStringLiteral("file"), title, folder);
    if (state().on)
        return state().fileNames.isEmpty() ? QString() : state().fileNames.dequeue();
    return QFileDialog::getSaveFileName(parent, title, folder, filter);
}

bool confirmPrint(const std::function<bool()> &showDialog)
{
    record(QStringLiteral("print"), QString(), QString());
    if (state().on)
        return takeAnswer(false);
    return showDialog();
}

void setNextAnswer(bool yesOrOk) { state().answers.enqueue(yesOrOk); }
void setNextText(const QString &text) { state().texts.enqueue(text); }
void setNextFileName(const QString &fileName) { state().fileNames.enqueue(fileName); }
void setTestMode(bool on)
{
    state().on = on;
    if (!on) {
        state().answers.clear();
        state().texts.clear();
        state().fileNames.clear();
    }
}
bool testMode() { return state().on; }
const QList<Shown> &history() { return state().history; }
void clearHistory() { state().history.clear(); }

} // namespace Dialogs
