#pragma once

#include <QDialog>

class QTextBrowser;

// The program's help: a French page shipped inside the program, opened at
// its table of contents. The pupil moves through it with its links.
class HelpWindow : public QDialog
{
    Q_OBJECT

public:
    explicit HelpWindow(QWidget *parent = nullptr);

    // Shows the table of contents and opens the window (not modally, so that
    // the pupil can read it while he works).
    void affiche_sommaire();

    QTextBrowser *navigateur() const { return m_texte; }

private:
    QTextBrowser *m_texte = nullptr;
};
