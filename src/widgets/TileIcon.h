#pragma once

#include <QColor>
#include <QIcon>
#include <QString>

// A round-cornered coloured tile with a white symbol, the picture of an
// activity button. The icon is drawn, not stored: it is painted afresh at
// every size and pixel density it is shown at, so a button shown twice as
// large, or on a high-density screen, stays sharp.
QIcon tuileIcone(const QColor &couleur, const QString &symbole, int taillePoints);
