// The floor the program's start-up is measured against: a bare Qt Widgets
// program, built with the same Qt, that shows one label and, with
// TABULON_STARTUP_PROBE=1, prints the same readings as the program, at the
// same point, and quits once the label is on the screen.

#include "platform/StartupProbe.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QLabel>
#include <QTimer>

int main(int argc, char *argv[])
{
    QElapsedTimer depuisMain;
    depuisMain.start();
    QApplication application(argc, argv);
    QLabel label(QStringLiteral("Bonjour"));
    label.show();
    // Read where the program reads: once the show is over and the event
    // loop runs.
    if (qEnvironmentVariable("TABULON_STARTUP_PROBE") == QLatin1String("1")) {
        QTimer::singleShot(0, &label, [&depuisMain] {
            StartupProbe::ecrit(depuisMain);
            QApplication::quit();
        });
    }
    return QApplication::exec();
}
