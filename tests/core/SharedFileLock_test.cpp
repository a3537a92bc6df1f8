// The lock that guards a pupil file's read-modify-write, on a local disk and
// on the school's file server seen from two workstations.
#include "core/SharedFileLock.h"
#include "core/TextFile.h"
#include "support/ShareRoots.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QSysInfo>
#include <QThread>

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#ifdef Q_OS_UNIX
#include <sys/wait.h>
#include <unistd.h>
#endif

namespace {

using ShareRoots::OnEachDisk;

class SharedFileLockTest : public OnEachDisk
{
protected:
    QString fichierA() const { return folder->a(QStringLiteral("Eleves/Dupont_Jean.txt")); }
    QString fichierB() const { return folder->b(QStringLiteral("Eleves/Dupont_Jean.txt")); }

    // Everything left in the pupils' folder: after a lock is let go, nothing.
    QStringList restes() const
    {
        return QDir(folder->a(QStringLiteral("Eleves")))
            .entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System);
    }

    // A lock as another owner leaves it: a folder with its owner inside, or
    // (older copies of the program) a plain file; nullptr content: a folder
    // whose owner was never written.
    void ecritVerrou(const QByteArray &contenu, bool enDossier = true) const
    {
        const QString verrou = SharedFileLock::lockPathFor(fichierA());
        QDir().mkpath(enDossier ? verrou : folder->a(QStringLiteral("Eleves")));
        if (!enDossier)
            ASSERT_TRUE(TextFile::saveBytes(verrou, contenu));
        else if (!contenu.isNull())
            ASSERT_TRUE(TextFile::saveBytes(verrou + QStringLiteral("/owner"), contenu));
    }
};

// A process of this machine that has ended, as a lock names its owner.
QByteArray proprietaireMort()
{
    qint64 pid = 999999;
#ifdef Q_OS_UNIX
    const pid_t enfant = fork();
    if (enfant == 0)
        _exit(0);
    waitpid(enfant, nullptr, 0);
    pid = enfant;
#endif
    return QByteArray::number(pid) + "\ntabulon\n" + QSysInfo::machineHostName().toUtf8() + '\n'
           + QSysInfo::machineUniqueId() + '\n' + QSysInfo::bootUniqueId() + "\ntabulon 1234abcd 0\n";
}

TEST_P(SharedFileLockTest, ALiveLockIsWaitedForByTheOtherWorkstationThenTakenAndLeavesNothing)
{
    SharedFileLock posteA(fichierA());
    QString erreur;
    ASSERT_TRUE(posteA.lock(&erreur)) << erreur.toStdString();

    SharedFileLock posteB(fichierB());
    QElapsedTimer t;
    t.start();
    EXPECT_FALSE(posteB.lock(&erreur, 400));
    EXPECT_GE(t.elapsed(), 350);
    EXPECT_TRUE(posteB.wasBusy());
    EXPECT_TRUE(erreur.contains(QStringLiteral("autre poste"))) << erreur.toStdString();

    posteA.unlock();
    t.restart();
    ASSERT_TRUE(posteB.lock(&erreur, 2000)) << erreur.toStdString();
    EXPECT_LT(t.elapsed(), 1000);
    posteB.unlock();
    EXPECT_EQ(restes(), QStringList());
}

// Each abandoned lock is taken over within its bound; the bound for another
// machine's lock is the stated one (kStaleMs), and never past 10 s.
TEST_P(SharedFileLockTest, AnAbandonedLockIsTakenOverWithinItsBound)
{
    const struct
    {
        const char *quoi;
        QByteArray contenu;
        bool enDossier;
        int auMoinsMs;
        int auPlusMs;
    } cas[] = {
        {"a process of this machine that ended", proprietaireMort(), true, 0, 1500},
        {"released but not deleted", "libre\n", true, 0, 1500},
        {"created and never written", QByteArray(), true, SharedFileLock::kGuardStaleMs - 100,
         SharedFileLock::kGuardStaleMs + 1500},
        {"another machine that stopped", "4242\ntabulon\npc-du-fond\n\n\ntabulon 99ff 3\n", true,
         SharedFileLock::kStaleMs - 100, 10000},
        {"an older copy of the program, another machine", "4242\ntabulon\npc-du-fond\n", false,
         SharedFileLock::kStaleMs - 100, 10000},
    };
    for (const auto &c : cas) {
        SCOPED_TRACE(c.quoi);
        ecritVerrou(c.contenu, c.enDossier);
        SharedFileLock posteB(fichierB());
        QElapsedTimer t;
        t.start();
        QString erreur;
        ASSERT_TRUE(posteB.lock(&erreur, 12000)) << erreur.toStdString();
        EXPECT_GE(t.elapsed(), c.auMoinsMs);
        EXPECT_LE(t.elapsed(), c.auPlusMs);
        posteB.unlock();
        EXPECT_EQ(restes(), QStringList());
    }
}

// The owner rewrites its lock while it holds it: a waiter that would take a
// silent lock over after 2.5 s leaves a live one alone however long it lasts.
TEST_P(SharedFileLockTest, ALiveOwnerIsNeverTakenOverHoweverLongItHolds)
{
    SharedFileLock posteA(fichierA());
    QString erreur;
    ASSERT_TRUE(posteA.lock(&erreur));
    SharedFileLock posteB(fichierB(), 2500);
    EXPECT_FALSE(posteB.lock(&erreur, 5000));
    EXPECT_TRUE(posteB.wasBusy());
    EXPECT_TRUE(posteA.isLocked());
    posteA.unlock();
    EXPECT_EQ(restes(), QStringList());
}

// A take-over guard left by a machine that died in the middle of one is
// removed as it stands, never guarded in turn.
TEST_P(SharedFileLockTest, AnAbandonedTakeOverGuardIsRemovedWithoutAGuardOfItsOwn)
{
    ecritVerrou("4242\ntabulon\npc-du-fond\n\n\ntabulon 99ff 3\n");
    ASSERT_TRUE(TextFile::saveBytes(SharedFileLock::guardPathFor(fichierA()) + QStringLiteral("/owner"),
                                    "77\ntabulon\npc-du-fond\n"));
    SharedFileLock posteB(fichierB(), 1000);
    QElapsedTimer t;
    t.start();
    QString erreur;
    ASSERT_TRUE(posteB.lock(&erreur, 8000)) << erreur.toStdString();
    EXPECT_LT(t.elapsed(), 1000 + SharedFileLock::kGuardStaleMs + 2000);
    posteB.unlock();
    EXPECT_EQ(restes(), QStringList());
}

// An owner that stalled past the stale time and was taken over must not
// remove the lock that is someone else's now.
TEST_P(SharedFileLockTest, LettingGoNeverRemovesAnotherOwnersLock)
{
    SharedFileLock posteA(fichierA());
    QString erreur;
    ASSERT_TRUE(posteA.lock(&erreur));
    const QByteArray autre = "4242\ntabulon\npc-du-fond\n\n\ntabulon 99ff 3\n";
    ecritVerrou(autre);
    posteA.unlock();
    QFile f(SharedFileLock::lockPathFor(fichierB()) + QStringLiteral("/owner"));
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), autre);
}

// The server refuses to delete a file another workstation holds open, if only
// to read it: the owner's release waits for the reader instead of leaving its
// lock behind; a save replacing a file that is being read does the same.
TEST_P(SharedFileLockTest, AFileBeingReadElsewhereIsStillReleasedAndReplaced)
{
    SharedFileLock posteA(fichierA());
    QString erreur;
    ASSERT_TRUE(posteA.lock(&erreur));
    {
        QFile lecteur(SharedFileLock::lockPathFor(fichierB()) + QStringLiteral("/owner"));
        ASSERT_TRUE(lecteur.open(QIODevice::ReadOnly));
        std::thread ferme([&] {
            QThread::msleep(300);
            lecteur.close();
        });
        posteA.unlock();
        ferme.join();
    }
    // The other workstation's client may show the name for a moment longer.
    EXPECT_EQ(restes(), QStringList());

    ASSERT_TRUE(TextFile::saveLines(fichierA(), {QStringLiteral("avant")}));
    QFile lecteur(fichierB());
    ASSERT_TRUE(lecteur.open(QIODevice::ReadOnly));
    std::thread ferme([&] {
        QThread::msleep(300);
        lecteur.close();
    });
    const bool enregistre = TextFile::saveLines(fichierA(), {QStringLiteral("après")}, &erreur);
    ferme.join();
    EXPECT_TRUE(enregistre) << erreur.toStdString();
    EXPECT_EQ(TextFile::loadLines(fichierB()), QStringList{QStringLiteral("après")});
}

// Two workstations counting in one file under the lock, as fast as they can:
// no increment may be lost, which it is the moment both hold the lock at once.
TEST_P(SharedFileLockTest, TwoWorkstationsNeverHoldTheLockAtOnce)
{
    constexpr int kParPoste = 40;
    ASSERT_TRUE(TextFile::saveLines(fichierA(), {QStringLiteral("0")}));
    std::atomic<int> echecs{0};
    const auto compte = [&](const QString &fichier) {
        for (int i = 0; i < kParPoste; ++i) {
            SharedFileLock verrou(fichier);
            QString erreur;
            if (!verrou.lock(&erreur)) {
                ++echecs;
                continue;
            }
            const int n = TextFile::loadLines(fichier).value(0).toInt();
            if (!TextFile::saveLines(fichier, {QString::number(n + 1)}))
                ++echecs;
        }
    };
    std::thread posteA(compte, fichierA());
    std::thread posteB(compte, fichierB());
    posteA.join();
    posteB.join();
    EXPECT_EQ(echecs, 0);
    EXPECT_EQ(TextFile::loadLines(fichierA()), QStringList{QString::number(2 * kParPoste)});
    EXPECT_EQ(restes(), QStringList{QStringLiteral("Dupont_Jean.txt")});
}

TABULON_ON_EACH_DISK(SharedFileLockTest);

} // namespace
