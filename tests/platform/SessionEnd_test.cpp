#include "platform/SessionEnd.h"

#include <QCoreApplication>
#include <QProcess>
#include <gtest/gtest.h>

#include <csignal>
#include <cstring>
#include <memory>

namespace {

QString g_self;

// Child mode: a program that, told its end is near, says so and then either
// ends by itself ("fin") or carries on as if recording hung ("reste").
int attendFin(const char *conduite)
{
    SessionEnd fin;
    const bool reste = std::strcmp(conduite, "reste") == 0;
    QObject::connect(&fin, &SessionEnd::ending, [reste] {
        fputs("ending\n", stdout);
        fflush(stdout);
        if (!reste)
            QCoreApplication::exit(7);
    });
    fputs("ready\n", stdout);
    fflush(stdout);
    return QCoreApplication::exec();
}

QProcess *enfant(const char *conduite)
{
    auto *p = new QProcess;
    p->start(g_self, {QStringLiteral("--attend-fin"), QString::fromLatin1(conduite)});
    if (!p->waitForStarted(5000) || !p->waitForReadyRead(10000) || p->readLine().trimmed() != "ready")
        ADD_FAILURE() << "the child did not start";
    return p;
}

} // namespace

TEST(SessionEnd, EachStopSignalLetsTheProgramFinishItsWorkFirst)
{
    for (const int signal : {SIGTERM, SIGHUP, SIGINT}) {
        SCOPED_TRACE(strsignal(signal));
        std::unique_ptr<QProcess> p(enfant("fin"));
        ASSERT_EQ(::kill(p->processId(), signal), 0);
        ASSERT_TRUE(p->waitForFinished(10000));
        EXPECT_EQ(p->readAll().trimmed(), "ending");
        // It ended by itself, with its own exit code, not killed by the signal.
        EXPECT_EQ(p->exitStatus(), QProcess::NormalExit);
        EXPECT_EQ(p->exitCode(), 7);
    }
}

TEST(SessionEnd, ASecondTerminationEndsAProgramThatDidNotStop)
{
    std::unique_ptr<QProcess> p(enfant("reste"));
    p->terminate();
    ASSERT_TRUE(p->waitForReadyRead(10000));
    EXPECT_EQ(p->readLine().trimmed(), "ending");
    EXPECT_FALSE(p->waitForFinished(300));
    p->terminate();
    ASSERT_TRUE(p->waitForFinished(10000));
    EXPECT_EQ(p->exitStatus(), QProcess::CrashExit);
    // Told only once.
    EXPECT_TRUE(p->readAll().trimmed().isEmpty());
}

TEST(SessionEnd, SignalsAreLeftAsTheyWereOnceItIsGone)
{
    struct sigaction avant = {};
    ASSERT_EQ(::sigaction(SIGTERM, nullptr, &avant), 0);
    {
        SessionEnd fin;
        struct sigaction pendant = {};
        ::sigaction(SIGTERM, nullptr, &pendant);
        EXPECT_NE(pendant.sa_handler, avant.sa_handler);
    }
    struct sigaction apres = {};
    ::sigaction(SIGTERM, nullptr, &apres);
    EXPECT_EQ(apres.sa_handler, avant.sa_handler);

    // A second one works as the first did.
    SessionEnd fin;
    int annonces = 0;
    QObject::connect(&fin, &SessionEnd::ending, [&annonces] { ++annonces; });
    ASSERT_EQ(::raise(SIGTERM), 0);
    for (int i = 0; i < 100 && annonces == 0; ++i)
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
    EXPECT_EQ(annonces, 1);
}

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    if (argc == 3 && std::strcmp(argv[1], "--attend-fin") == 0)
        return attendFin(argv[2]);
    g_self = QCoreApplication::applicationFilePath();
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
