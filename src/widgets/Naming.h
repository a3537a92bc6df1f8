#pragma once

#include <QString>
#include <QWidget>

// Every control gets its object name (found by the code and the tests). A
// control without visible text (a field, a frame, a drawing) also gets a
// French accessible name saying what it is for.
template <typename W>
W *nomme(W *widget, const QString &nom, const QString &accessible)
{
    widget->setObjectName(nom);
    widget->setAccessibleName(accessible);
    return widget;
}

// A control that shows text (a label, a button) is heard by that text, kept
// current as it changes: it gets its object name only, never an accessible
// name that could differ from what is drawn.
template <typename W>
W *nomme(W *widget, const QString &nom)
{
    widget->setObjectName(nom);
    return widget;
}
