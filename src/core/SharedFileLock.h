#pragma once

#include <QByteArray>
#include <QString>

#include <memory>

// Guards a read-modify-write of a file that other workstations share: a short
// lock file beside it ("<file>.lock", the one every writer of history files
// takes). It must hold on the school's file server as on a local disk, where
// the server refuses to delete or rename a file that any client holds open,
// ignores letter case, and a client may release a handle just after close()
// returns; byte-range locks do not cross every SMB client either. So:
//  - the lock is a folder: creating one is decided on the server for every
//    client at once, while an exclusive file creation is not through every
//    SMB client (two workstations could both "create" the same lock file).
//    The owner writes itself into a file inside it and closes it at once; a
//    plain lock file, as older copies of the program leave, is read the same;
//  - the owner rewrites it every kBeatMs while it holds it, so that a waiter
//    can tell a live owner from a dead one by its content alone (clocks and
//    the server's cached times are not to be trusted across machines);
//  - a lock whose owner is gone is taken over: at once when the owner is a
//    process of this machine that no longer runs, otherwise when its content
//    has not changed for staleMs, as this process saw it. The take-over runs
//    under a second lock folder ("<file>.lock.guard") so that two waiters
//    never both remove a lock and then the one a third took meanwhile; an
//    abandoned guard is removed the same way, never under a guard of its own;
//  - every delete that the server refuses is tried again.
// A live lock is waited for at most waitMs, which outlasts the take-over of
// an abandoned one, so that a dead workstation never makes a save fail.
class SharedFileLock
{
public:
    // A lock whose content has not changed for this long is abandoned.
    static constexpr int kStaleMs = 6000;
    // How often an owner rewrites its lock.
    static constexpr int kBeatMs = 1000;
    // An abandoned take-over guard, or a lock created and never written.
    static constexpr int kGuardStaleMs = 2000;
    // The longest wait for a lock before a save gives up (and, for a pupil's
    // session, keeps it on the workstation instead).
    static constexpr int kWaitMs = 9000;

    explicit SharedFileLock(const QString &filePath, int staleMs = kStaleMs);
    ~SharedFileLock();

    SharedFileLock(const SharedFileLock &) = delete;
    SharedFileLock &operator=(const SharedFileLock &) = delete;

    // False, with a French error text, when the lock could not be taken.
    bool lock(QString *error, int waitMs = kWaitMs);
    void unlock();
    bool isLocked() const { return m_owned; }
    // After a failed lock(): true when another owner held the file all along
    // (as opposed to a folder that refuses the lock file).
    bool wasBusy() const { return m_busy; }

    static QString lockPathFor(const QString &filePath);
    static QString guardPathFor(const QString &filePath);

    // For tests and campaigns that play several machines on one: the name
    // this process writes as its machine in the locks it takes.
    static void setMachineNameForTesting(const QString &name);

private:
    class Beat;
    struct Observation
    {
        QByteArray content;
        qint64 sinceMs = -1;
    };

    bool tryCreate(const QString &path, QString *error);
    bool takeOverIfAbandoned(const QByteArray &seen, qint64 nowMs);
    void removeAbandonedGuard(qint64 nowMs);
    bool abandoned(const QByteArray &content, Observation &obs, int staleMs, qint64 nowMs) const;

    QString m_filePath;
    QString m_lockPath;
    QString m_guardPath;
    int m_staleMs;
    QByteArray m_token;
    bool m_owned = false;
    bool m_busy = false;
    Observation m_lockSeen;
    Observation m_guardSeen;
    std::unique_ptr<Beat> m_beat;
};
