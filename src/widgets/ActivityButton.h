#pragma once

#include <QRect>
#include <QString>

class QPushButton;
class QWidget;

// The push button of the answer windows (test, training): bold Arial 14 px,
// placed on the design area, heard by its caption, pressed by Enter when it
// has the focus.
QPushButton *bouton_activite(QWidget *parent, const QString &nom, const QString &texte, const QRect &geometrie);
