#pragma once

#include <QDialog>

// A window whose activity comes with a later piece of work: it has its name,
// its caption and a "Fermer" button, so the main window can already open it.
class ShellWindow : public QDialog
{
    Q_OBJECT

public:
    ShellWindow(const QString &objectName, const QString &caption, QWidget *parent = nullptr);
};
