#pragma once

#include <QDialog>

// The about box: the program's name and version.
class TAboutBox : public QDialog
{
    Q_OBJECT

public:
    static const QString kVersion;   // "0.97.01"

    explicit TAboutBox(QWidget *parent = nullptr);
};
