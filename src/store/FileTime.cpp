#include "store/FileTime.h"

#include <algorithm>
#include <limits>

namespace {

// Days from 1601-01-01 to the given date, by whole 400-year cycles; the
// Gregorian cycle starts on 1601-01-01, which makes the arithmetic exact.
constexpr qint64 DaysPer400Years = 146'097;
constexpr qint64 DaysPer100Years = 36'524;
constexpr qint64 DaysPer4Years = 1'461;
constexpr qint64 DaysPerYear = 365;

qint64 daysBeforeYear(int year)
{
    const qint64 y = year - MinYear;
    return y * DaysPerYear + y / 4 - y / 100 + y / 400;
}

int daysBeforeMonth(int year, int month)
{
    int days = 0;
    for (int m = 1; m < month; ++m)
        days += daysInMonth(year, m);
    return days;
}

qint64 dayNumber(int year, int month, int day)
{
    return daysBeforeYear(year) + daysBeforeMonth(year, month) + day - 1;
}

struct Ymd {
    int year;
    int month;
    int day;
};

// The inverse of dayNumber for days >= 0.
Ymd dateOfDayNumber(qint64 days)
{
    const qint64 cycles400 = days / DaysPer400Years;
    days %= DaysPer400Years;
    // The last day of a 400-year cycle belongs to its fourth century.
    const qint64 centuries = std::min<qint64>(days / DaysPer100Years, 3);
    days -= centuries * DaysPer100Years;
    const qint64 cycles4 = days / DaysPer4Years;
    days %= DaysPer4Years;
    const qint64 years = std::min<qint64>(days / DaysPerYear, 3);
    days -= years * DaysPerYear;

    Ymd d{static_cast<int>(MinYear + cycles400 * 400 + centuries * 100 + cycles4 * 4 + years), 1, 1};
    while (days >= daysInMonth(d.year, d.month)) {
        days -= daysInMonth(d.year, d.month);
        ++d.month;
    }
    d.day = static_cast<int>(days) + 1;
    return d;
}

FileTime saturatingAdd(FileTime t, qint64 ticks)
{
    FileTime result = 0;
    if (__builtin_add_overflow(t, ticks, &result))
        return ticks > 0 ? std::numeric_limits<qint64>::max() : std::numeric_limits<qint64>::min();
    return result;
}

FileTime saturatingAddScaled(FileTime t, qint64 count, qint64 ticksPerUnit)
{
    qint64 ticks = 0;
    if (__builtin_mul_overflow(count, ticksPerUnit, &ticks))
        return count > 0 ? std::numeric_limits<qint64>::max() : std::numeric_limits<qint64>::min();
    return saturatingAdd(t, ticks);
}

FileTime clampToRange(FileTime t)
{
    return std::clamp(t, minFileTime(), maxFileTime());
}

}  // namespace

bool isLeapYear(int year)
{
    return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

int daysInMonth(int year, int month)
{
    static constexpr int days[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (month < 1 || month > 12)
        return 0;
    return month == 2 && isLeapYear(year) ? 29 : days[month - 1];
}

bool isValidDate(int year, int month, int day)
{
    return year >= MinYear && year <= MaxYear && day >= 1 && day <= daysInMonth(year, month);
}

bool isValidLocalTime(const LocalTime& t)
{
    return isValidDate(t.year, t.month, t.day) && t.hour >= 0 && t.hour <= 23 && t.minute >= 0 &&
           t.minute <= 59 && t.second >= 0 && t.second <= 59 && t.millisecond >= 0 && t.millisecond <= 999;
}

std::optional<FileTime> fileTimeFromLocal(const LocalTime& t)
{
    if (!isValidLocalTime(t))
        return std::nullopt;
    return dayNumber(t.year, t.month, t.day) * TicksPerDay + t.hour * TicksPerHour +
           t.minute * TicksPerMinute + t.second * TicksPerSecond + t.millisecond * TicksPerMillisecond;
}

LocalTime localFromFileTime(FileTime t)
{
    t = clampToRange(t);
    const Ymd date = dateOfDayNumber(t / TicksPerDay);
    const qint64 ms = (t % TicksPerDay) / TicksPerMillisecond;
    return LocalTime{date.year,
                     date.month,
                     date.day,
                     static_cast<int>(ms / 3'600'000),
                     static_cast<int>(ms / 60'000 % 60),
                     static_cast<int>(ms / 1'000 % 60),
                     static_cast<int>(ms % 1'000)};
}

FileTime minFileTime()
{
    return 0;
}

FileTime maxFileTime()
{
    return (dayNumber(MaxYear, 12, 31) + 1) * TicksPerDay - TicksPerMillisecond;
}

FileTime addMilliseconds(FileTime t, qint64 milliseconds)
{
    return saturatingAddScaled(t, milliseconds, TicksPerMillisecond);
}

FileTime addDays(FileTime t, qint64 days)
{
    return saturatingAddScaled(t, days, TicksPerDay);
}

int dayOfWeek(FileTime t)
{
    // 1601-01-01 was a Monday.
    return static_cast<int>(clampToRange(t) / TicksPerDay % 7) + 1;
}

FileTime startOfDay(FileTime t)
{
    t = clampToRange(t);
    return t - t % TicksPerDay;
}

FileTime endOfDay(FileTime t)
{
    return startOfDay(t) + TicksPerDay - TicksPerMillisecond;
}

int compareByDay(FileTime a, FileTime b, DayDepth depth)
{
    const LocalTime x = localFromFileTime(a);
    const LocalTime y = localFromFileTime(b);
    auto order = [](int first, int second) { return first > second ? 1 : first < second ? -1 : 0; };
    if (const int years = order(x.year, y.year); years != 0 || depth == DayDepth::Year)
        return years;
    if (const int months = order(x.month, y.month); months != 0 || depth == DayDepth::Month)
        return months;
    return order(x.day, y.day);
}

bool isSameDay(FileTime a, FileTime b)
{
    return compareByDay(a, b, DayDepth::Day) == 0;
}

std::optional<FileTime> fileTimeNow(const Clock& clock)
{
    return fileTimeFromLocal(clock.now());
}
