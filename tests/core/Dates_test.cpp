#include "core/Dates.h"

#include <gtest/gtest.h>

#include <ostream>

void PrintTo(const QString &s, std::ostream *os)
{
    *os << '"' << s.toStdString() << '"';
}

TEST(Dates, SchoolYearTurnsOnFirstSeptember)
{
    struct Case { QDate date; const char *year; };
    const Case cases[] = {
        {QDate(2007, 8, 31), "2006-2007"},
        {QDate(2007, 9, 1), "2007-2008"},
        {QDate(2007, 1, 1), "2006-2007"},
        {QDate(2006, 12, 31), "2006-2007"},
        {QDate(2026, 12, 10), "2026-2027"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.date.toString(Qt::ISODate).toStdString());
        EXPECT_EQ(Dates::annee_scolaire(c.date), QString::fromLatin1(c.year));
    }
}

TEST(Dates, SchoolYearNYearsBack)
{
    EXPECT_EQ(Dates::annee_scolaire_n_ans(QDate(2007, 9, 1), 0), "2007-2008");
    EXPECT_EQ(Dates::annee_scolaire_n_ans(QDate(2007, 9, 1), 3), "2004-2005");
    EXPECT_EQ(Dates::annee_scolaire_n_ans(QDate(2007, 8, 31), 3), "2003-2004");
    EXPECT_EQ(Dates::annee_scolaire_n_ans(QDate(2026, 12, 10), 10), "2016-2017");
}

TEST(Dates, FrenchDayNamesAndTexts)
{
    // 5 December 2026 is a Saturday.
    const char *names[] = {"Samedi", "Dimanche", "Lundi", "Mardi", "Mercredi", "Jeudi", "Vendredi"};
    for (int i = 0; i < 7; ++i)
        EXPECT_EQ(Dates::nom_jour(QDate(2026, 12, 5).addDays(i)), QString::fromLatin1(names[i]));
    EXPECT_EQ(Dates::date_texte(QDate(2026, 12, 5)), "05/12/2026");
    // Every field keeps its zeros, early years included.
    for (const QDate d : {QDate(1, 1, 1), QDate(99, 2, 9), QDate(999, 10, 31), QDate(2000, 1, 10), QDate(9999, 12, 31)})
        EXPECT_EQ(Dates::date_texte(d), d.toString("dd/MM/yyyy")) << d.year();
    EXPECT_EQ(Dates::jour_texte(QDate(2006, 11, 14)), "Mardi 14/11/2006");
    EXPECT_EQ(Dates::heure_texte(QTime(9, 5, 3, 999)), "09:05:03");
    EXPECT_EQ(Dates::heure_texte(QTime(23, 59, 59)), "23:59:59");
    EXPECT_TRUE(Dates::nom_jour(QDate()).isEmpty());
}

TEST(Dates, MillisecondCountFollowsTheStoredDayArithmetic)
{
    const auto ms = [](int y, int mo, int d, int h = 0, int mi = 0, int s = 0, int z = 0) {
        return Dates::horloge_ms(QDateTime(QDate(y, mo, d), QTime(h, mi, s, z)));
    };
    const qint64 day = 86400000;
    // The first day of 2000 counts as day 1 (the day of month starts at 1).
    EXPECT_EQ(ms(2000, 1, 1), day);
    EXPECT_EQ(ms(2000, 1, 1, 1, 2, 3, 4), day + 3600000 + 120000 + 3000 + 4);
    // From 2001 on the count agrees with the calendar.
    for (const QDate date : {QDate(2001, 1, 1), QDate(2004, 3, 1), QDate(2005, 1, 1), QDate(2026, 12, 10)})
        EXPECT_EQ(ms(date.year(), date.month(), date.day()), QDate(2000, 1, 1).daysTo(date) * day) << date.toString().toStdString();
    // Differences: across a midnight, a month end and 29 February of a leap year.
    EXPECT_EQ(ms(2026, 12, 11, 0, 0, 1) - ms(2026, 12, 10, 23, 59, 59), 2000);
    EXPECT_EQ(ms(2024, 3, 1) - ms(2024, 2, 28), 2 * day);
    EXPECT_EQ(ms(2023, 3, 1) - ms(2023, 2, 28), day);
    EXPECT_EQ(ms(2027, 1, 1) - ms(2026, 12, 31, 12), day / 2);
    EXPECT_EQ(Dates::ms_depuis_2000(QDateTime(QDate(2026, 12, 10), QTime(10, 0))), ms(2026, 12, 10, 10));
}
