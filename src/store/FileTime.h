#pragma once

// Dates of the book: 100-ns ticks since 1601-01-01 00:00 of local wall-clock
// time. No time zone is ever applied: a date is made from the clock's fields by
// calendar arithmetic alone (proleptic Gregorian), so keys and day comparisons
// never shift on daylight-saving days. Transactions keep the millisecond.
//
// The supported years are 1601..9999, the ones whose keys have four digits.

#include "platform/Clock.h"
#include "platform/LocalTime.h"

#include <QtGlobal>

#include <optional>

using FileTime = qint64;

constexpr qint64 TicksPerMillisecond = 10'000;
constexpr qint64 TicksPerSecond = 1'000 * TicksPerMillisecond;
constexpr qint64 TicksPerMinute = 60 * TicksPerSecond;
constexpr qint64 TicksPerHour = 60 * TicksPerMinute;
constexpr qint64 TicksPerDay = 24 * TicksPerHour;

constexpr int MinYear = 1601;
constexpr int MaxYear = 9999;

bool isLeapYear(int year);
int daysInMonth(int year, int month);  // 0 for a month outside 1..12
// A day the month lacks, a zero day or month, or a year outside MinYear..MaxYear is invalid.
bool isValidDate(int year, int month, int day);
// isValidDate and a time of day within 00:00:00.000..23:59:59.999.
bool isValidLocalTime(const LocalTime& t);

// nullopt when the fields are not a valid local time.
std::optional<FileTime> fileTimeFromLocal(const LocalTime& t);
// The clock's present moment as a file time; nullopt when the clock names a
// moment the file time cannot hold (before 1601).
std::optional<FileTime> fileTimeNow(const Clock& clock);
// The fields of a file time; ticks below the millisecond are dropped. A value
// outside the supported years (a damaged record) is clamped to the first or
// last millisecond of the range, so every stored date can be shown.
LocalTime localFromFileTime(FileTime t);

// The first and last file time of the supported range.
FileTime minFileTime();
FileTime maxFileTime();  // 9999-12-31 23:59:59.999

// Saturates at the qint64 limits.
FileTime addMilliseconds(FileTime t, qint64 milliseconds);
FileTime addDays(FileTime t, qint64 days);

// 1 = Monday .. 7 = Sunday.
int dayOfWeek(FileTime t);
FileTime startOfDay(FileTime t);  // 00:00:00.000 of t's day
FileTime endOfDay(FileTime t);    // 23:59:59.999 of t's day

enum class DayDepth { Year, Month, Day };

// Compares a with b looking only at the year, then the month, then the day, as
// deep as `depth` goes: 1 when b is earlier, -1 when b is later, 0 when equal.
int compareByDay(FileTime a, FileTime b, DayDepth depth);
bool isSameDay(FileTime a, FileTime b);
