#pragma once

#include <QLockFile>
#include <QString>

#include <memory>

// Guards a read-modify-write of a file that other workstations share: a short
// lock file beside it ("<file>.lock", the same one the merge of history files
// takes). A lock left behind by a machine that crashed is taken over once it
// is older than staleMs; an empty lock (a process killed between creating it
// and writing its owner) once it has stayed empty for kEmptyMs. A live lock is
// waited for at most waitMs, and every wait outlasts the stale time, so that
// an abandoned lock never makes a save fail.
class SharedFileLock
{
public:
    static constexpr int kStaleMs = 8000;
    static constexpr int kWaitMs = kStaleMs + 4000;
    static constexpr int kEmptyMs = 1000;

    explicit SharedFileLock(const QString &filePath, int staleMs = kStaleMs);
    ~SharedFileLock();

    SharedFileLock(const SharedFileLock &) = delete;
    SharedFileLock &operator=(const SharedFileLock &) = delete;

    // False, with a French error text, when the lock could not be taken.
    bool lock(QString *error, int waitMs = kWaitMs);
    void unlock();

    static QString lockPathFor(const QString &filePath);

private:
    // Removes the lock file when it has held no owner for kEmptyMs.
    void abandonsVerrouVide(qint64 *videDepuisMs, qint64 maintenantMs);

    QString m_filePath;
    std::unique_ptr<QLockFile> m_lock;
    qint64 m_gardeVideDepuisMs = -1;  // since when the removal guard was seen empty
};
