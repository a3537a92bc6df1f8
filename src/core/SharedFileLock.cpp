#include "core/SharedFileLock.h"

#include "core/Paths.h"
#include "core/TextFile.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QSysInfo>
#include <QThread>

#include <algorithm>
#include <cerrno>
#include <condition_variable>
#include <cstdio>
#include <mutex>
#include <thread>

#ifdef Q_OS_UNIX
#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>
#endif
#ifdef Q_OS_WIN
#include <windows.h>
#endif

namespace {

// Short and steady polling: the lock is held for one small read-modify-write,
// and a waiter must notice quickly when it is free or abandoned.
constexpr int kPollMinMs = 20;
constexpr int kPollMaxMs = 250;
// How long an owner keeps trying to delete its lock while the server says a
// reader still has it open.
constexpr int kReleaseMs = 3000;
// How long the lock file may be refused, without being there, before the
// folder is taken for one where nothing can be written.
constexpr int kRefusedMs = 1000;
// Written over a lock its owner let go of but could not delete.
const QByteArray kReleased = QByteArrayLiteral("libre\n");
const QByteArray kApplication = QByteArrayLiteral("tabulon");

QString &machineNameOverride()
{
    static QString name;
    return name;
}

QByteArray machineName()
{
    const QString &forced = machineNameOverride();
    return (forced.isEmpty() ? QSysInfo::machineHostName() : forced).toUtf8();
}

// The owner as QLockFile writes it (pid, program, machine, machine and boot
// ids, a line each), which older copies of the program still read, then our
// own line with the owner's token and a counter that every beat raises.
QByteArray ownerContent(const QByteArray &token, quint64 beat)
{
    return QByteArray::number(QCoreApplication::applicationPid()) + '\n' + kApplication + '\n' + machineName() + '\n'
           + QSysInfo::machineUniqueId() + '\n' + QSysInfo::bootUniqueId() + '\n' + kApplication + ' ' + token + ' '
           + QByteArray::number(beat) + '\n';
}

bool holdsToken(const QByteArray &content, const QByteArray &token)
{
    return content.contains(kApplication + ' ' + token + ' ');
}

bool processGone(qint64 pid)
{
    if (pid <= 0)
        return false;
#if defined(Q_OS_UNIX)
    return ::kill(static_cast<pid_t>(pid), 0) != 0 && errno == ESRCH;
#elif defined(Q_OS_WIN)
    HANDLE process = OpenProcess(SYNCHRONIZE, FALSE, static_cast<DWORD>(pid));
    if (!process)
        return GetLastError() == ERROR_INVALID_PARAMETER;
    const bool ended = WaitForSingleObject(process, 0) == WAIT_OBJECT_0;
    CloseHandle(process);
    return ended;
#else
    return false;
#endif
}

// True when the lock names a process of this very machine (same name, same
// machine id, same boot) that no longer runs.
bool ownerDeadHere(const QByteArray &content)
{
    const QList<QByteArray> lines = content.split('\n');
    if (lines.size() < 3 || lines.at(2) != machineName())
        return false;
    if (lines.size() > 3 && !lines.at(3).isEmpty() && lines.at(3) != QSysInfo::machineUniqueId())
        return false;
    if (lines.size() > 4 && !lines.at(4).isEmpty() && lines.at(4) != QSysInfo::bootUniqueId())
        return false;
    bool ok = false;
    const qint64 pid = lines.at(0).toLongLong(&ok);
    return ok && processGone(pid);
}

enum class Created { Yes, Exists, Failed, ReadOnly };

// The owner is written in a file inside the lock folder.
QString ownerFile(const QString &lock)
{
    return lock + QStringLiteral("/owner");
}

bool writeFile(const QString &path, const QByteArray &content, bool mustExist)
{
    QFile f(path);
    QIODevice::OpenMode mode = QIODevice::WriteOnly | QIODevice::Truncate;
    if (mustExist)
        mode |= QIODevice::ExistingOnly;
    if (!f.open(mode))
        return false;
    const bool written = f.write(content) == content.size();
    f.close();
    return written && f.error() == QFileDevice::NoError;
}

// Removes one name, file or empty folder; false with errno set when it
// could not be removed (true when it is not there).
bool removeName(const QString &path)
{
#ifdef Q_OS_UNIX
    const QByteArray native = QFile::encodeName(path);
    if (::rmdir(native.constData()) == 0 || errno == ENOENT)
        return true;
    if (errno != ENOTDIR)
        return false;
    // Not a folder: a file, or no such name at all under a file (the owner
    // of a plain lock file, as older copies of the program leave).
    return std::remove(native.constData()) == 0 || errno == ENOENT || errno == ENOTDIR;
#else
    return QDir().rmdir(path) || QFile::remove(path) || !QFileInfo::exists(path);
#endif
}

// A file server refuses to delete a file that a client still holds open, if
// only for the moment it takes to read it: try again for up to maxMs.
bool removeWithRetries(const QString &path, int maxMs)
{
    QElapsedTimer since;
    since.start();
    int pause = 5;
    for (;;) {
        if (removeName(path))
            return true;
        if (since.elapsed() >= maxMs)
            return false;
        QThread::msleep(static_cast<unsigned long>(pause));
        pause = std::min(pause * 2, 80);
    }
}

// Takes the lock: creating a folder is the one operation that every client
// of the school's server carries out as "only if it is not there" on the
// server itself (an exclusive file creation is not: through some clients two
// workstations both "create" the same file). Then writes the owner in it.
Created createExclusive(const QString &path, const QByteArray &content)
{
#ifdef Q_OS_UNIX
    if (::mkdir(QFile::encodeName(path).constData(), 0777) != 0)
        return errno == EEXIST ? Created::Exists
               : errno == EROFS ? Created::ReadOnly
                                : Created::Failed;
#else
    if (QFileInfo::exists(path))
        return Created::Exists;
    if (!QDir().mkdir(path))
        return QFileInfo::exists(path) ? Created::Exists : Created::Failed;
#endif
    if (writeFile(ownerFile(path), content, false))
        return Created::Yes;
    removeWithRetries(ownerFile(path), 500);
    removeWithRetries(path, 500);
    return Created::Failed;
}

// The owner as the server has it now (a client's cache may still show a lock
// that another machine let go of, its owner long dead), or false when the
// lock is not there (any more). A lock folder without its owner yet reads
// as empty; a plain lock file, as older copies of the program leave, reads
// as its content.
bool readContent(const QString &path, QByteArray *content)
{
    if (TextFile::readBytes(ownerFile(path), content, 4096))
        return true;
    bool missing = false;
    if (TextFile::readBytes(path, content, 4096, &missing))
        return true;
    content->clear();
    return !missing;
}

bool rewriteExisting(const QString &path, const QByteArray &content)
{
    return writeFile(ownerFile(path), content, true) || writeFile(path, content, true);
}

// Lets a lock go: its owner, then the folder.
bool removeLock(const QString &path, int maxMs)
{
    return removeWithRetries(ownerFile(path), maxMs) && removeWithRetries(path, maxMs);
}

} // namespace

// Rewrites the owner's lock every kBeatMs while it is held, from a thread of
// its own, so that a long read-modify-write on a slow server is never taken
// for an abandoned one.
class SharedFileLock::Beat
{
public:
    Beat(const QString &path, const QByteArray &token)
        : m_thread([this, path, token] { run(path, token); })
    {
    }
    ~Beat()
    {
        {
            std::lock_guard<std::mutex> guard(m_mutex);
            m_stop = true;
        }
        m_wake.notify_all();
        m_thread.join();
    }

private:
    void run(const QString &path, const QByteArray &token)
    {
        quint64 beat = 0;
        std::unique_lock<std::mutex> guard(m_mutex);
        while (!m_wake.wait_for(guard, std::chrono::milliseconds(kBeatMs), [this] { return m_stop; })) {
            guard.unlock();
            QByteArray content;
            // Taken over (this process stalled for longer than the stale
            // time): the lock is somebody else's now; leave it alone.
            const bool stillOurs = readContent(path, &content) && holdsToken(content, token);
            if (stillOurs)
                rewriteExisting(path, ownerContent(token, ++beat));
            guard.lock();
            if (!stillOurs)
                break;
        }
    }

    std::mutex m_mutex;
    std::condition_variable m_wake;
    bool m_stop = false;
    std::thread m_thread;
};

SharedFileLock::SharedFileLock(const QString &filePath, int staleMs)
    : m_filePath(Paths::fromStored(filePath))
    , m_lockPath(lockPathFor(filePath))
    , m_guardPath(guardPathFor(filePath))
    , m_staleMs(staleMs)
    , m_token(QByteArray::number(QRandomGenerator::system()->generate64(), 16))
{
}

SharedFileLock::~SharedFileLock()
{
    unlock();
}

QString SharedFileLock::lockPathFor(const QString &filePath)
{
    return Paths::fromStored(filePath) + QStringLiteral(".lock");
}

QString SharedFileLock::guardPathFor(const QString &filePath)
{
    return lockPathFor(filePath) + QStringLiteral(".guard");
}

void SharedFileLock::setMachineNameForTesting(const QString &name)
{
    machineNameOverride() = name;
}

bool SharedFileLock::abandoned(const QByteArray &content, Observation &obs, int staleMs, qint64 nowMs) const
{
    if (content.startsWith(kReleased) || ownerDeadHere(content))
        return true;
    if (obs.sinceMs < 0 || content != obs.content) {
        obs.content = content;
        obs.sinceMs = nowMs;
        return false;
    }
    // A live owner writes itself into the file the moment it creates it.
    const int limit = content.isEmpty() ? std::min(staleMs, int(kGuardStaleMs)) : staleMs;
    return nowMs - obs.sinceMs >= limit;
}

void SharedFileLock::removeAbandonedGuard(qint64 nowMs)
{
    QByteArray content;
    if (!readContent(m_guardPath, &content)) {
        m_guardSeen = {};
        return;
    }
    if (!abandoned(content, m_guardSeen, kGuardStaleMs, nowMs))
        return;
    // Only the very guard that was seen abandoned, never one taken since.
    QByteArray again;
    if (readContent(m_guardPath, &again) && again == content)
        removeLock(m_guardPath, 500);
    m_guardSeen = {};
}

bool SharedFileLock::takeOverIfAbandoned(const QByteArray &seen, qint64 nowMs)
{
    if (createExclusive(m_guardPath, ownerContent(m_token, 0)) != Created::Yes) {
        removeAbandonedGuard(nowMs);
        return false;
    }
    m_guardSeen = {};
    // Under the guard, nobody else removes the lock: if it is still the one
    // seen abandoned, it is ours to remove.
    QByteArray now;
    bool removed = !readContent(m_lockPath, &now);
    if (!removed && now == seen)
        removed = removeLock(m_lockPath, kReleaseMs);
    if (!removeLock(m_guardPath, kReleaseMs))
        rewriteExisting(m_guardPath, kReleased);
    m_lockSeen = {};
    return removed;
}

bool SharedFileLock::lock(QString *error, int waitMs)
{
    if (m_owned)
        return true;
    QDir().mkpath(QFileInfo(m_filePath).absolutePath());
    QElapsedTimer since;
    since.start();
    m_lockSeen = {};
    m_guardSeen = {};
    m_busy = false;
    int pause = kPollMinMs;
    // A file server refuses for a moment to create a name whose file is
    // still being deleted (another client's handle on it not yet let go);
    // only a refusal that lasts means a folder where nothing can be written.
    qint64 refusedSinceMs = -1;
    bool refused = false;
    for (;;) {
        const Created created = createExclusive(m_lockPath, ownerContent(m_token, 0));
        if (created == Created::Yes) {
            m_owned = true;
            m_beat = std::make_unique<Beat>(m_lockPath, m_token);
            return true;
        }
        QByteArray content;
        const bool present = readContent(m_lockPath, &content);
        if ((created == Created::Failed || created == Created::ReadOnly) && !present) {
            if (refusedSinceMs < 0)
                refusedSinceMs = since.elapsed();
            if (created == Created::ReadOnly || since.elapsed() - refusedSinceMs >= kRefusedMs) {
                refused = true;
                break;
            }
        } else {
            refusedSinceMs = -1;
        }
        if (present && abandoned(content, m_lockSeen, m_staleMs, since.elapsed())
            && takeOverIfAbandoned(content, since.elapsed()))
            continue;
        const qint64 left = waitMs - since.elapsed();
        if (left <= 0)
            break;
        if (!present && refusedSinceMs < 0) {
            // Just released: try again at once, but never spin on a file that
            // exists and cannot be read.
            QThread::msleep(2);
            continue;
        }
        QThread::msleep(static_cast<unsigned long>(std::min<qint64>(pause, left)));
        pause = std::min(pause * 2, kPollMaxMs);
    }
    m_busy = !refused;
    if (error) {
        const QString file = QDir::toNativeSeparators(m_filePath);
        if (refused)
            *error = QStringLiteral("Impossible de réserver le fichier %1 : le dossier est en lecture seule ou "
                                    "l'accès est refusé.")
                         .arg(file);
        else
            *error = QStringLiteral("Le fichier %1 est en cours d'enregistrement sur un autre poste. "
                                    "Réessaie dans un moment.")
                         .arg(file);
    }
    return false;
}

void SharedFileLock::unlock()
{
    if (!m_owned)
        return;
    m_beat.reset();
    m_owned = false;
    QByteArray content;
    // Taken over while held (this process stalled past the stale time): the
    // lock is another's now.
    if (!readContent(m_lockPath, &content) || !holdsToken(content, m_token))
        return;
    if (!removeLock(m_lockPath, kReleaseMs))
        rewriteExisting(m_lockPath, kReleased);
}
