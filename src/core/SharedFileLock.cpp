#include "core/SharedFileLock.h"

#include "core/Paths.h"

#include <QDir>
#include <QFileInfo>

SharedFileLock::SharedFileLock(const QString &filePath, int staleMs)
    : m_filePath(filePath)
    , m_lock(std::make_unique<QLockFile>(lockPathFor(filePath)))
{
    m_lock->setStaleLockTime(staleMs);
}

SharedFileLock::~SharedFileLock()
{
    unlock();
}

QString SharedFileLock::lockPathFor(const QString &filePath)
{
    return Paths::fromStored(filePath) + QStringLiteral(".lock");
}

bool SharedFileLock::lock(QString *error, int waitMs)
{
    QDir().mkpath(QFileInfo(m_filePath).absolutePath());
    if (m_lock->tryLock(waitMs))
        return true;
    if (error) {
        const QString file = QDir::toNativeSeparators(m_filePath);
        switch (m_lock->error()) {
        case QLockFile::LockFailedError:
            *error = QStringLiteral("Le fichier %1 est en cours d'enregistrement sur un autre poste. "
                                    "Réessaie dans un moment.").arg(file);
            break;
        case QLockFile::PermissionError:
            *error = QStringLiteral("Impossible de réserver le fichier %1 : accès refusé.").arg(file);
            break;
        default:
            *error = QStringLiteral("Impossible de réserver le fichier %1.").arg(file);
            break;
        }
    }
    return false;
}

void SharedFileLock::unlock()
{
    if (m_lock && m_lock->isLocked())
        m_lock->unlock();
}
