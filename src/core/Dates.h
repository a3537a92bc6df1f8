#pragma once

#include <QDate>
#include <QDateTime>
#include <QString>
#include <QTime>

// Date and time texts as the stored files write them.
namespace Dates {

// "2006-2007": from September on, the current year and the next; before
// September, the previous year and the current one.
QString annee_scolaire(const QDate &date);
// The school year n years before the one of the date ("2003-2004" for n = 3).
QString annee_scolaire_n_ans(const QDate &date, int n);
// "Dimanche", "Lundi", ... "Samedi"; empty for an invalid date.
QString nom_jour(const QDate &date);
// "05/12/2026": always "/", whatever the system's locale, because every
// reader of the history files looks for that character.
QString date_texte(const QDate &date);
// "Samedi 05/12/2026".
QString jour_texte(const QDate &date);
// "09:05:03".
QString heure_texte(const QTime &time);
// Milliseconds since 1 January 2000 with the day count the history files
// have always used: every fourth year is a leap year (2100 too) and the day
// of month counts from 1. Only differences between two readings matter.
qint64 horloge_ms(const QDateTime &dateTime);
// The day part of that count (0 for an invalid date).
qint64 jours_depuis_2000(const QDate &date);
// The same count, under the name of the first-start stamp.
qint64 ms_depuis_2000(const QDateTime &dateTime);

} // namespace Dates
