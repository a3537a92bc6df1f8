#include "widgets/ImageFile.h"

#include <QDir>
#include <QSaveFile>

namespace ImageFile {

bool ecrit_png(const QString &chemin, const QImage &image, QString *erreur)
{
    QSaveFile fichier(chemin);
    if (!fichier.open(QIODevice::WriteOnly) || !image.save(&fichier, "PNG") || !fichier.commit()) {
        if (erreur)
            *erreur = QStringLiteral("Impossible d'écrire l'image ") + QDir::toNativeSeparators(chemin)
                      + QStringLiteral(" (") + fichier.errorString() + QStringLiteral(").");
        return false;
    }
    return true;
}

} // namespace ImageFile
