#pragma once

#include <QString>

#include <memory>

class QLockFile;

// Only one copy of the program runs for a user on a machine. The guard is a
// lock file named after the guard ("_Tabulon") in the temporary folder, with
// the user's id in its name so that one user's copy never bars another's and
// everybody can take over his own stale file. The file records the holder's
// process id: when that process is gone (a crash, a kill, a power cut), the
// next start finds the lock stale and takes it over at once, so a crashed
// copy never locks the program out. A live holder is never taken over,
// however long it has been running.
class SingleInstance
{
public:
    explicit SingleInstance(const QString &nom = QStringLiteral("_Tabulon"), const QString &dossier = QString());
    ~SingleInstance();

    // True when this process now holds the guard (or already held it);
    // false when another live copy holds it: this copy must end.
    bool tryAcquire();
    bool isHeld() const;
    void release();
    QString lockFilePath() const;

private:
    QString m_path;
    std::unique_ptr<QLockFile> m_lock;
    bool m_held = false;
};
