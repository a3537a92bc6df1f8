#include "core/SharedFileLock.h"

#include "core/Paths.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QThread>

#include <algorithm>

namespace {
// Short and steady polling: the lock is held for the time of one small
// read-modify-write, and a waiter must notice quickly when it is free or
// abandoned (QLockFile's own wait doubles its sleep up to several seconds).
constexpr int kPollMinMs = 20;
constexpr int kPollMaxMs = 250;
} // namespace

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

namespace {

// True when the file at `chemin` has held no owner (empty) for kEmptyMs as
// seen by this process; its age on the server's clock cannot be trusted
// across machines. `videDepuisMs` keeps when it was first seen empty.
bool resteVide(const QString &chemin, qint64 *videDepuisMs, qint64 maintenantMs)
{
    const QFileInfo info(chemin);
    if (!info.exists() || info.size() != 0) {
        *videDepuisMs = -1;
        return false;
    }
    if (*videDepuisMs < 0)
        *videDepuisMs = maintenantMs;
    return maintenantMs - *videDepuisMs >= SharedFileLock::kEmptyMs;
}

} // namespace

void SharedFileLock::abandonsVerrouVide(qint64 *videDepuisMs, qint64 maintenantMs)
{
    const QString chemin = lockPathFor(m_filePath);
    // A process killed while holding the removal guard leaves it empty too,
    // and it would block every removal, ours and QLockFile's, for 30 s.
    const QString cheminGarde = chemin + QStringLiteral(".rmlock");
    if (resteVide(cheminGarde, &m_gardeVideDepuisMs, maintenantMs)) {
        if (QFileInfo(cheminGarde).size() == 0)
            QFile::remove(cheminGarde);
        m_gardeVideDepuisMs = -1;
    }
    if (!resteVide(chemin, videDepuisMs, maintenantMs))
        return;
    // The same guard QLockFile takes before removing a stale lock, so that two
    // waiters do not both remove it and then the lock one of them took anew.
    QLockFile garde(cheminGarde);
    if (garde.tryLock(0) && QFileInfo(chemin).exists() && QFileInfo(chemin).size() == 0)
        QFile::remove(chemin);
    *videDepuisMs = -1;
}

bool SharedFileLock::lock(QString *error, int waitMs)
{
    QDir().mkpath(QFileInfo(m_filePath).absolutePath());
    QElapsedTimer depuis;
    depuis.start();
    qint64 videDepuis = -1;
    m_gardeVideDepuisMs = -1;
    int pause = kPollMinMs;
    for (;;) {
        if (m_lock->tryLock(0))
            return true;
        if (m_lock->error() != QLockFile::LockFailedError)
            break;
        abandonsVerrouVide(&videDepuis, depuis.elapsed());
        const qint64 reste = waitMs - depuis.elapsed();
        if (reste <= 0)
            break;
        QThread::msleep(static_cast<unsigned long>(std::min<qint64>(pause, reste)));
        pause = std::min(pause * 2, kPollMaxMs);
    }
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
