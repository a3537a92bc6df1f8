#pragma once

#include <QImage>
#include <QString>

namespace ImageFile {

// Writes the image as PNG, aside and then over the file. False with a French
// error text.
bool ecrit_png(const QString &chemin, const QImage &image, QString *erreur);

} // namespace ImageFile
