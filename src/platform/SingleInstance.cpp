#include "platform/SingleInstance.h"

#include <QDir>
#include <QLockFile>

#ifdef Q_OS_UNIX
#include <unistd.h>
#endif

namespace {

QString suffixeUtilisateur()
{
#ifdef Q_OS_UNIX
    return QStringLiteral("-%1").arg(::getuid());
#else
    const QString user = qEnvironmentVariable("USERNAME");
    return user.isEmpty() ? QString() : u'-' + user;
#endif
}

} // namespace

SingleInstance::SingleInstance(const QString &nom, const QString &dossier)
    : m_path(QDir(dossier.isEmpty() ? QDir::tempPath() : dossier).filePath(nom + suffixeUtilisateur() + QStringLiteral(".lock")))
    , m_lock(std::make_unique<QLockFile>(m_path))
{
    // Staleness is decided on the holder's process only, never on age.
    m_lock->setStaleLockTime(0);
}

SingleInstance::~SingleInstance()
{
    release();
}

bool SingleInstance::tryAcquire()
{
    if (m_held)
        return true;
    if (m_lock->tryLock(0)) {
        m_held = true;
        return true;
    }
    // tryLock already removes a lock whose process is gone; a lock file that
    // cannot even be read back (empty or garbage, left by a crash while it
    // was being written) names no live holder either.
    if (m_lock->error() == QLockFile::LockFailedError) {
        qint64 pid = 0;
        QString host;
        QString app;
        if (!m_lock->getLockInfo(&pid, &host, &app) && m_lock->removeStaleLockFile() && m_lock->tryLock(0)) {
            m_held = true;
            return true;
        }
    }
    return false;
}

bool SingleInstance::isHeld() const
{
    return m_held;
}

void SingleInstance::release()
{
    if (m_held) {
        m_lock->unlock();
        m_held = false;
    }
}

QString SingleInstance::lockFilePath() const
{
    return m_path;
}
