#pragma once

#include <QString>
#include <QWidget>

// Every control gets its object name (found by the code and the tests) and
// an accessible name (read by assistive technology).
template <typename W>
W *nomme(W *widget, const QString &nom, const QString &accessible)
{
    widget->setObjectName(nom);
    widget->setAccessibleName(accessible);
    return widget;
}
