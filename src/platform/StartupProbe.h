#pragma once

#include <QByteArray>
#include <QElapsedTimer>
#include <QFile>
#include <QList>
#include <QStringList>
#include <QString>
#include <QTextStream>

#include <cstdio>
#ifdef Q_OS_LINUX
#include <ctime>
#include <unistd.h>
#endif

// What the start-up measure prints once the first window is on the screen:
// "first-window-ms=<n>", "rss-kb=<n>" and "shared-libs=<n>". Header only,
// so that the bare Qt program the measure compares with takes the same
// readings without linking any of the program's libraries.
namespace StartupProbe {

// Milliseconds since the process was started by the system (not since main:
// loading the libraries counts too); the timer since main where /proc is
// not there.
inline qint64 msDepuisDemarrage(const QElapsedTimer &depuisMain)
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

inline QString rssKo()
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

// The shared objects mapped now: the libraries linked in and those loaded
// since (plugins, modules), each once.
inline QStringList bibliotheques()
{
    QStringList chemins;
    QFile maps(QStringLiteral("/proc/self/maps"));
    if (!maps.open(QIODevice::ReadOnly | QIODevice::Text))
        return chemins;
    for (const QByteArray &ligne : maps.readAll().split('\n')) {
        const int debut = int(ligne.indexOf('/'));
        if (debut < 0)
            continue;
        const QString chemin = QString::fromLocal8Bit(ligne.mid(debut));
        if (chemin.contains(QLatin1String(".so")) && !chemins.contains(chemin))
            chemins.append(chemin);
    }
    return chemins;
}

// With TABULON_STARTUP_LIBS=1, the paths of those objects follow, one a line.
inline void ecrit(const QElapsedTimer &depuisMain)
{
    std::printf("first-window-ms=%lld\n", static_cast<long long>(msDepuisDemarrage(depuisMain)));
#ifdef Q_OS_LINUX
    // The same moment on the monotonic clock every process shares: whoever
    // started the program reads its time to the first window to the
    // microsecond, where the start time above counts in clock ticks.
    timespec monotone{};
    if (clock_gettime(CLOCK_MONOTONIC, &monotone) == 0)
        std::printf("monotonic-us=%lld\n",
                    static_cast<long long>(monotone.tv_sec) * 1000000 + monotone.tv_nsec / 1000);
#endif
    std::printf("rss-kb=%s\n", qPrintable(rssKo()));
    const QStringList objets = bibliotheques();
    std::printf("shared-libs=%lld\n", static_cast<long long>(objets.size()));
    if (qEnvironmentVariable("TABULON_STARTUP_LIBS") == QLatin1String("1")) {
        for (const QString &objet : objets)
            std::printf("shared-lib=%s\n", qPrintable(objet));
    }
    std::fflush(stdout);
}

} // namespace StartupProbe
