#pragma once

#include <QImage>
#include <QString>

// Bar chart of the per-pupil statistics: the chart text is TAB-separated,
// title, maximum value (at least 1), caption, then pairs label, value.
// False with a French error text for a malformed text or a maximum of 0 or
// less; the image is left untouched then.
bool dessine_histogramme(const QString &texte, QImage *out, QString *error);
