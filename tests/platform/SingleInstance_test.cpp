#include "platform/SingleInstance.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>
#include <gtest/gtest.h>

#include <cstring>

namespace {

QString g_self;

// Child mode: take the guard in the given folder, say so, and keep it until
// killed, as a running copy of the program would.
int holdGuard(const char *folder)
{
    SingleInstance guard(QStringLiteral("_Tabulon"), QString::fromLocal8Bit(folder));
    if (!guard.tryAcquire())
        return 3;
    fputs("held\n", stdout);
    fflush(stdout);
    for (;;)
        QThread::sleep(1);
}

} // namespace

TEST(SingleInstance, SecondGuardInTheSameProcessIsRefusedUntilReleased)
{
    QTemporaryDir dir;
    SingleInstance first(QStringLiteral("_Tabulon"), dir.path());
    SingleInstance second(QStringLiteral("_Tabulon"), dir.path());
    SingleInstance other(QStringLiteral("_Autre"), dir.path());
    ASSERT_TRUE(first.tryAcquire());
    EXPECT_TRUE(first.tryAcquire());
    EXPECT_FALSE(second.tryAcquire());
    EXPECT_TRUE(other.tryAcquire());
    first.release();
    EXPECT_TRUE(second.tryAcquire());
    EXPECT_TRUE(QFileInfo(second.lockFilePath()).fileName().startsWith("_Tabulon"));
}

TEST(SingleInstance, RunningCopyBarsTheNextAndACrashedOneDoesNot)
{
    QTemporaryDir dir;
    QProcess child;
    child.start(g_self, {QStringLiteral("--hold-guard"), dir.path()});
    ASSERT_TRUE(child.waitForStarted(5000));
    ASSERT_TRUE(child.waitForReadyRead(10000));
    ASSERT_EQ(child.readLine().trimmed(), "held");

    SingleInstance guard(QStringLiteral("_Tabulon"), dir.path());
    EXPECT_FALSE(guard.tryAcquire());

    // The copy dies without releasing anything: its lock file stays behind.
    child.kill();
    ASSERT_TRUE(child.waitForFinished(5000));
    ASSERT_TRUE(QFileInfo::exists(guard.lockFilePath()));
    EXPECT_TRUE(guard.tryAcquire());
}

TEST(SingleInstance, UnreadableLeftoverLockIsTakenOver)
{
    QTemporaryDir dir;
    SingleInstance guard(QStringLiteral("_Tabulon"), dir.path());
    for (const QByteArray &content : {QByteArray(), QByteArray("n'importe quoi\n\x01\x02")}) {
        QFile f(guard.lockFilePath());
        ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(content);
        f.close();
        EXPECT_TRUE(guard.tryAcquire());
        guard.release();
        EXPECT_FALSE(QFileInfo::exists(guard.lockFilePath()));
    }
}

int main(int argc, char **argv)
{
    if (argc == 3 && std::strcmp(argv[1], "--hold-guard") == 0)
        return holdGuard(argv[2]);
    QCoreApplication app(argc, argv);
    g_self = QCoreApplication::applicationFilePath();
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
