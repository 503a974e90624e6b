#include "store/FileTime.h"

#include <QDate>

#include <gtest/gtest.h>

#include <limits>

namespace {

FileTime at(int y, int mo, int d, int h = 0, int mi = 0, int s = 0, int ms = 0)
{
    const std::optional<FileTime> t = fileTimeFromLocal(LocalTime{y, mo, d, h, mi, s, ms});
    EXPECT_TRUE(t.has_value()) << y << "-" << mo << "-" << d;
    return t.value_or(-1);
}

struct KnownCase {
    LocalTime local;
    FileTime ticks;
};

TEST(FileTime, MatchesKnownTickCounts)
{
    const KnownCase cases[] = {
        {{1601, 1, 1, 0, 0, 0, 0}, 0},
        {{1601, 1, 1, 0, 0, 0, 1}, TicksPerMillisecond},
        {{1601, 1, 2, 0, 0, 0, 0}, TicksPerDay},
        {{1970, 1, 1, 0, 0, 0, 0}, 116444736000000000},
        {{2000, 1, 1, 0, 0, 0, 0}, 125911584000000000},
        {{2000, 2, 29, 12, 0, 0, 0}, 125962992000000000},
        {{2003, 12, 5, 14, 30, 5, 123}, 127151082051230000},
        {{9999, 12, 31, 23, 59, 59, 999}, 2650467743999990000},
    };
    for (const KnownCase& c : cases) {
        EXPECT_EQ(fileTimeFromLocal(c.local), c.ticks) << c.ticks;
        EXPECT_EQ(localFromFileTime(c.ticks), c.local) << c.ticks;
    }
    EXPECT_EQ(maxFileTime(), 2650467743999990000);
}

struct DateCase {
    int year;
    int month;
    int day;
};

TEST(FileTime, AcceptsEveryRealDay)
{
    const DateCase valid[] = {{2000, 2, 29}, {2004, 2, 29}, {1601, 1, 1}, {9999, 12, 31},
                              {2003, 4, 30}, {2003, 1, 31}, {2400, 2, 29}};
    for (const DateCase& d : valid)
        EXPECT_TRUE(isValidDate(d.year, d.month, d.day)) << d.year << "-" << d.month << "-" << d.day;
}

TEST(FileTime, RefusesDaysTheCalendarLacks)
{
    const DateCase invalid[] = {{1900, 2, 29}, {2003, 2, 29},  {2100, 2, 29}, {2003, 0, 1},
                                {2003, 1, 0},  {2003, 13, 1},  {2003, 4, 31}, {2003, 1, 32},
                                {2003, -1, 5}, {1600, 12, 31}, {10000, 1, 1}, {0, 0, 0}};
    for (const DateCase& d : invalid) {
        EXPECT_FALSE(isValidDate(d.year, d.month, d.day)) << d.year << "-" << d.month << "-" << d.day;
        EXPECT_FALSE(fileTimeFromLocal(LocalTime{d.year, d.month, d.day}).has_value());
    }
}

TEST(FileTime, RefusesTimesOutsideTheDay)
{
    const LocalTime invalid[] = {{2003, 12, 5, 24, 0, 0, 0},   {2003, 12, 5, -1, 0, 0, 0},
                                 {2003, 12, 5, 0, 60, 0, 0},   {2003, 12, 5, 0, 0, 60, 0},
                                 {2003, 12, 5, 0, 0, 0, 1000}, {2003, 12, 5, 0, 0, 0, -1}};
    for (const LocalTime& t : invalid)
        EXPECT_FALSE(fileTimeFromLocal(t).has_value()) << t.hour << ":" << t.minute << ":" << t.second;
}

// QDate is an independent proleptic-Gregorian calendar to check every day against.
TEST(FileTime, EveryDayFrom1601To9999RoundTripsAndAgreesWithQDate)
{
    const QDate first(1601, 1, 1);
    const qint64 days = first.daysTo(QDate(9999, 12, 31)) + 1;
    for (qint64 n = 0; n < days; ++n) {
        const QDate expected = first.addDays(n);
        const FileTime t = n * TicksPerDay + 13 * TicksPerHour + 7 * TicksPerMillisecond;
        const LocalTime local = localFromFileTime(t);
        if (local.year != expected.year() || local.month != expected.month() || local.day != expected.day() ||
            dayOfWeek(t) != expected.dayOfWeek() || fileTimeFromLocal(local) != t) {
            FAIL() << "day " << n << " is " << expected.toString(Qt::ISODate).toStdString();
        }
    }
}

TEST(FileTime, DropsTicksBelowTheMillisecond)
{
    const FileTime t = at(2003, 12, 5, 14, 30, 5, 123);
    EXPECT_EQ(localFromFileTime(t + TicksPerMillisecond - 1), localFromFileTime(t));
}

TEST(FileTime, ClampsDamagedValuesToTheSupportedRange)
{
    const LocalTime first{1601, 1, 1, 0, 0, 0, 0};
    const LocalTime last{9999, 12, 31, 23, 59, 59, 999};
    EXPECT_EQ(localFromFileTime(-1), first);
    EXPECT_EQ(localFromFileTime(std::numeric_limits<qint64>::min()), first);
    EXPECT_EQ(localFromFileTime(maxFileTime() + TicksPerDay), last);
    EXPECT_EQ(localFromFileTime(std::numeric_limits<qint64>::max()), last);
}

TEST(FileTime, AddsMillisecondsAcrossDaysAndSaturates)
{
    EXPECT_EQ(addMilliseconds(at(2003, 12, 31, 23, 59, 59, 999), 1), at(2004, 1, 1));
    EXPECT_EQ(addMilliseconds(at(2004, 3, 1), -1), at(2004, 2, 29, 23, 59, 59, 999));
    EXPECT_EQ(addMilliseconds(std::numeric_limits<qint64>::max() - 5, 1), std::numeric_limits<qint64>::max());
    EXPECT_EQ(addMilliseconds(0, std::numeric_limits<qint64>::min()), std::numeric_limits<qint64>::min());
    EXPECT_EQ(addDays(at(2004, 2, 28), 2), at(2004, 3, 1));
    EXPECT_EQ(addDays(at(2003, 1, 1), std::numeric_limits<qint64>::max()),
              std::numeric_limits<qint64>::max());
}

TEST(FileTime, DayBoundaries)
{
    const FileTime t = at(2003, 12, 5, 14, 30, 5, 123);
    EXPECT_EQ(startOfDay(t), at(2003, 12, 5));
    EXPECT_EQ(endOfDay(t), at(2003, 12, 5, 23, 59, 59, 999));
    EXPECT_EQ(startOfDay(at(2003, 12, 5)), at(2003, 12, 5));
    EXPECT_EQ(endOfDay(at(2003, 12, 5, 23, 59, 59, 999)), at(2003, 12, 5, 23, 59, 59, 999));
    EXPECT_EQ(dayOfWeek(t), 5);  // a Friday
    EXPECT_EQ(dayOfWeek(0), 1);  // 1601-01-01, a Monday
}

struct CompareCase {
    FileTime a;
    FileTime b;
    DayDepth depth;
    int expected;
};

TEST(FileTime, ComparesByDayToTheChosenDepth)
{
    const CompareCase cases[] = {
        {at(2003, 12, 5, 10), at(2003, 12, 5, 23, 59), DayDepth::Day, 0},
        {at(2003, 12, 5), at(2003, 12, 4, 23, 59, 59, 999), DayDepth::Day, 1},
        {at(2003, 12, 5, 23), at(2003, 12, 6), DayDepth::Day, -1},
        {at(2003, 12, 5), at(2003, 11, 30), DayDepth::Month, 1},
        {at(2003, 12, 5), at(2003, 12, 31), DayDepth::Month, 0},
        {at(2003, 12, 5), at(2004, 1, 1), DayDepth::Month, -1},
        {at(2003, 12, 5), at(2004, 1, 1), DayDepth::Year, -1},
        {at(2003, 1, 1), at(2003, 12, 31), DayDepth::Year, 0},
        {at(2003, 12, 5), at(2003, 11, 30), DayDepth::Year, 0},
        {at(2004, 1, 1), at(2003, 12, 31), DayDepth::Day, 1},
        {at(2003, 12, 5), at(2002, 12, 31), DayDepth::Day, 1},
    };
    for (const CompareCase& c : cases)
        EXPECT_EQ(compareByDay(c.a, c.b, c.depth), c.expected) << c.a << " vs " << c.b;
}

TEST(FileTime, SameDayIgnoresTheTime)
{
    EXPECT_TRUE(isSameDay(at(2003, 12, 5), at(2003, 12, 5, 23, 59, 59, 999)));
    EXPECT_FALSE(isSameDay(at(2003, 12, 5, 23, 59, 59, 999), at(2003, 12, 6)));
    EXPECT_FALSE(isSameDay(at(2003, 12, 5), at(2004, 12, 5)));
}

}  // namespace
