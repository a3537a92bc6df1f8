#include "core/Dates.h"

#include <array>

namespace Dates {

QString annee_scolaire(const QDate &date)
{
    return annee_scolaire_n_ans(date, 0);
}

QString annee_scolaire_n_ans(const QDate &date, int n)
{
    const int first = (date.month() >= 9 ? date.year() : date.year() - 1) - n;
    return QStringLiteral("%1-%2").arg(first).arg(first + 1);
}

QString nom_jour(const QDate &date)
{
    static const std::array<QString, 7> names = {
        QStringLiteral("Lundi"), QStringLiteral("Mardi"), QStringLiteral("Mercredi"), QStringLiteral("Jeudi"),
        QStringLiteral("Vendredi"), QStringLiteral("Samedi"), QStringLiteral("Dimanche")};
    const int d = date.dayOfWeek();
    if (d < 1 || d > 7)
        return QString();
    return names[d - 1];
}

QString date_texte(const QDate &date)
{
    // Written by hand: the whole-school lists format a date for every pupil.
    const int jour = date.day(), mois = date.month(), annee = date.year();
    if (jour >= 1 && mois >= 1 && annee >= 1 && annee <= 9999) {
        const char16_t t[10] = {char16_t(u'0' + jour / 10), char16_t(u'0' + jour % 10), u'/',
                                char16_t(u'0' + mois / 10), char16_t(u'0' + mois % 10), u'/',
                                char16_t(u'0' + annee / 1000), char16_t(u'0' + annee / 100 % 10),
                                char16_t(u'0' + annee / 10 % 10), char16_t(u'0' + annee % 10)};
        return QString(reinterpret_cast<const QChar *>(t), 10);
    }
    return QStringLiteral("%1/%2/%3")
        .arg(date.day(), 2, 10, QLatin1Char('0'))
        .arg(date.month(), 2, 10, QLatin1Char('0'))
        .arg(date.year(), 4, 10, QLatin1Char('0'));
}

QString jour_texte(const QDate &date)
{
    return nom_jour(date) + u' ' + date_texte(date);
}

QString heure_texte(const QTime &time)
{
    return QStringLiteral("%1:%2:%3")
        .arg(time.hour(), 2, 10, QLatin1Char('0'))
        .arg(time.minute(), 2, 10, QLatin1Char('0'))
        .arg(time.second(), 2, 10, QLatin1Char('0'));
}

qint64 jours_depuis_2000(const QDate &d)
{
    static constexpr std::array<int, 12> daysBefore = {0, 31, 59, 90, 120, 151, 181, 212, 243, 273, 304, 334};
    const int y = d.year();
    const int m = d.month();
    if (m < 1 || m > 12)
        return 0;
    // C++ division truncates toward zero, as the stored counts expect.
    qint64 days = qint64(y - 2000) * 365 + (y - 2001) / 4 + daysBefore[m - 1] + d.day();
    if (m > 2 && (y - 2000) % 4 == 0)
        ++days;
    return days;
}

qint64 horloge_ms(const QDateTime &dateTime)
{
    const QDate d = dateTime.date();
    const QTime t = dateTime.time();
    if (d.month() < 1 || d.month() > 12)
        return 0;
    return jours_depuis_2000(d) * 86400000LL + t.hour() * 3600000LL + t.minute() * 60000LL + t.second() * 1000LL
           + t.msec();
}

qint64 ms_depuis_2000(const QDateTime &dateTime)
{
    return horloge_ms(dateTime);
}

} // namespace Dates
