#include "app/TabulonApp.h"
#include "core/Clock.h"
#include "core/RandomSource.h"
#include "platform/PlatformServices.h"
#include "widgets/Dialogs.h"
#include "widgets/TMonHint.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTextStream>
#include <QWidget>

#include <cstdio>
#ifdef Q_OS_LINUX
#include <ctime>
#include <unistd.h>
#endif

namespace {

// Milliseconds since the process was started by the system (not since main:
// loading the libraries counts too); the timer since main where /proc is
// not there.
qint64 msDepuisDemarrage(const QElapsedTimer &depuisMain)
{
#ifdef Q_OS_LINUX
    QFile stat(QStringLiteral("/proc/self/stat"));
    timespec maintenant{};
    if (stat.open(QIODevice::ReadOnly) && clock_gettime(CLOCK_BOOTTIME, &maintenant) == 0) {
        const QByteArray texte = stat.readAll();
        // Field 22 (starttime, in clock ticks since boot) comes after the
        // command name, which is in parentheses and may hold spaces.
        const int fin = int(texte.lastIndexOf(')'));
        const QList<QByteArray> champs = texte.mid(fin + 2).split(' ');
        const long ticks = sysconf(_SC_CLK_TCK);
        if (fin > 0 && champs.size() > 19 && ticks > 0) {
            const qint64 debut = champs.at(19).toLongLong() * 1000 / ticks;
            const qint64 actuel = qint64(maintenant.tv_sec) * 1000 + maintenant.tv_nsec / 1000000;
            return actuel - debut;
        }
    }
#endif
    return depuisMain.elapsed();
}

QString rssKo()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly | QIODevice::Text))
        return QStringLiteral("inconnu");
    QTextStream flux(&status);
    for (QString ligne = flux.readLine(); !ligne.isNull(); ligne = flux.readLine()) {
        if (ligne.startsWith(QLatin1String("VmRSS:")))
            return ligne.mid(6).trimmed().section(QLatin1Char(' '), 0, 0);
    }
    return QStringLiteral("inconnu");
}

} // namespace

int main(int argc, char *argv[])
{
    QElapsedTimer depuisMain;
    depuisMain.start();
    QApplication application(argc, argv);
    application.setApplicationName(QStringLiteral("Tabulon"));
    installeBulles(application);

    SystemClock horloge;
    SystemRandom hasard;
    PlatformServices systeme;
    Environment env;
    env.clock = &horloge;
    env.random = &hasard;
    env.system = &systeme;
    // The program's files lie in the folder it was started from.
    env.programFolder = QDir::currentPath() + QLatin1Char('/');
#ifdef TABULON_FICHIERS_INSTALLES
    // The installation puts its shared files at this path from the program's own folder.
    env.installedFilesFolder = QDir(QCoreApplication::applicationDirPath()).filePath(
        QStringLiteral(TABULON_FICHIERS_INSTALLES));
#endif

    // Start-up measure: the time to the first window and the memory then;
    // no box may wait for a person.
    const bool sonde = qEnvironmentVariable("TABULON_STARTUP_PROBE") == QLatin1String("1");
    TabulonApp::Options options;
    options.arretPremiereFenetre = sonde;
    if (sonde)
        Dialogs::setTestMode(true);

    TabulonApp programme(env, options);
    if (sonde) {
        programme.setPremiereFenetre([&depuisMain](QWidget *) {
            std::printf("first-window-ms=%lld\n", static_cast<long long>(msDepuisDemarrage(depuisMain)));
            std::printf("rss-kb=%s\n", qPrintable(rssKo()));
            std::fflush(stdout);
        });
    }
    return programme.run();
}
