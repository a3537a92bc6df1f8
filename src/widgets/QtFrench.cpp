#include "widgets/QtFrench.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

bool installeTraductionsQt(QCoreApplication &app)
{
    // Kept for the life of the program, whichever application asks.
    static QTranslator *traduction = nullptr;
    if (traduction)
        return true;
    auto *chargee = new QTranslator(&app);
    const QLocale francais(QLocale::French, QLocale::France);
    if (!chargee->load(francais, QStringLiteral("qtbase"), QStringLiteral("_"),
                       QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        delete chargee;
        return false;
    }
    app.installTranslator(chargee);
    QObject::connect(chargee, &QObject::destroyed, [] { traduction = nullptr; });
    traduction = chargee;
    // Dates and numbers of the toolkit's controls (calendars, spin boxes) in French too.
    QLocale::setDefault(francais);
    return true;
}
