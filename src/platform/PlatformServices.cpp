#include "platform/PlatformServices.h"

#include "core/Paths.h"
#include "core/TextFile.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QSysInfo>
#include <QUrl>

QString PlatformServices::computerName() const
{
    return QSysInfo::machineHostName();
}

bool PlatformServices::isShareReachable(const QString &path) const
{
    const QString p = Paths::fromStored(path.trimmed());
    return !p.isEmpty() && QFileInfo(p).isDir();
}

bool PlatformServices::moveToRecycleBin(const QString &path)
{
    const QFileInfo source(Paths::fromStored(path));
    if (!source.exists() && !source.isSymLink())
        return false;
    const QString dataHome = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    if (dataHome.isEmpty())
        return false;
    const QDir trash(Paths::join(dataHome, QStringLiteral("Trash")));
    if (!trash.mkpath(QStringLiteral("files")) || !trash.mkpath(QStringLiteral("info")))
        return false;

    // A free name in the trash: "name", then "name.2", "name.3" ...
    const QString base = source.fileName();
    QString nom = base;
    for (int i = 2; QFileInfo::exists(trash.filePath(QStringLiteral("files/") + nom))
                    || QFileInfo::exists(trash.filePath(QStringLiteral("info/") + nom + QStringLiteral(".trashinfo")));
         ++i) {
        const QString suffixe = source.completeSuffix();
        nom = suffixe.isEmpty() ? QStringLiteral("%1.%2").arg(base).arg(i)
                                : QStringLiteral("%1.%2.%3").arg(source.baseName()).arg(i).arg(suffixe);
    }

    const QString info = trash.filePath(QStringLiteral("info/") + nom + QStringLiteral(".trashinfo"));
    const QByteArray contenu = "[Trash Info]\nPath="
        + QUrl::toPercentEncoding(source.absoluteFilePath(), "/")
        + "\nDeletionDate=" + QDateTime::currentDateTime().toString(QStringLiteral("yyyy-MM-ddThh:mm:ss")).toLatin1()
        + "\n";
    if (!TextFile::saveBytes(info, contenu))
        return false;
    if (!QFile::rename(source.absoluteFilePath(), trash.filePath(QStringLiteral("files/") + nom))) {
        QFile::remove(info);
        return false;
    }
    return true;
}
