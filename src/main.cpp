#include "app/TabulonApp.h"
#include "core/Clock.h"
#include "core/RandomSource.h"
#include "platform/PlatformServices.h"
#include "platform/StartupProbe.h"
#include "widgets/Dialogs.h"
#include "widgets/TMonHint.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QWidget>

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
        programme.setPremiereFenetre([&depuisMain](QWidget *) { StartupProbe::ecrit(depuisMain); });
    }
    return programme.run();
}
