#pragma once

#include "widgets/Impression.h"

#include <QDialog>
#include <QStringList>

class QAction;
class QPlainTextEdit;

// Shows a plain text (records list, read-me, teacher texts) read-only in a
// fixed-pitch font, and prints it on request.
class TTexte : public QDialog
{
    Q_OBJECT

public:
    explicit TTexte(QWidget *parent = nullptr);

    void setTexte(const QStringList &lines);
    QStringList texte() const;
    // Sets the title and shows the window modally.
    void afficher(const QString &titre);
    // The text to print, the window's title as document title, inside the
    // page less 100 pixels left and right and 150 at the top and bottom.
    Impression::Demande demandeImpression() const;

public slots:
    void Imprimer1Click();
    void Quitter1Click();

private:
    QPlainTextEdit *m_richEdit1;
    QAction *m_imprimer1;
    QAction *m_quitter1;
};
