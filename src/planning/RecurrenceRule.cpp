#include "planning/RecurrenceRule.h"

#include <algorithm>

namespace {

// Steps larger than these leave MinYear..MaxYear whatever the start date; bounding
// them first keeps the arithmetic below far from overflow.
constexpr qint64 MaxMonthStep = 12LL * (MaxYear - MinYear + 1);
constexpr qint64 MaxDayStep = 366LL * (MaxYear - MinYear + 1);

constexpr qint64 floorDiv(qint64 a, qint64 b)
{
    const qint64 q = a / b;
    return (a % b != 0 && (a < 0) != (b < 0)) ? q - 1 : q;
}

constexpr qint64 floorMod(qint64 a, qint64 b)
{
    return a - floorDiv(a, b) * b;
}

enum class DayRule { KeepClamped, LastOfMonth };

// The fields of `start` moved by `months` months, with the day set by `dayRule`
// from `day`; nullopt outside the supported years.
std::optional<LocalTime> shiftedMonths(LocalTime t, qint64 months, int day, DayRule dayRule)
{
    if (months > MaxMonthStep || months < -MaxMonthStep)
        return std::nullopt;
    const qint64 total = (t.month - 1) + months;
    const qint64 year = t.year + floorDiv(total, 12);
    if (year < MinYear || year > MaxYear)
        return std::nullopt;
    t.year = static_cast<int>(year);
    t.month = static_cast<int>(floorMod(total, 12)) + 1;
    const int length = daysInMonth(t.year, t.month);
    t.day = dayRule == DayRule::LastOfMonth ? length : std::min(day, length);
    return t;
}

// The ticks below the millisecond, which the calendar fields do not carry.
qint64 subMillisecond(FileTime t)
{
    const auto whole = fileTimeFromLocal(localFromFileTime(t));
    if (!whole)
        return 0;
    const qint64 rest = t - *whole;
    return rest > 0 && rest < TicksPerMillisecond ? rest : 0;
}

std::optional<FileTime> withDate(FileTime start, const std::optional<LocalTime>& fields)
{
    if (!fields)
        return std::nullopt;
    const auto t = fileTimeFromLocal(*fields);
    if (!t)
        return std::nullopt;
    return *t + subMillisecond(start);
}

std::optional<FileTime> stepMonths(FileTime start, qint64 months, DayRule dayRule)
{
    const LocalTime t = localFromFileTime(start);
    return withDate(start, shiftedMonths(t, months, t.day, dayRule));
}

std::optional<FileTime> stepDays(FileTime start, qint64 days)
{
    if (days > MaxDayStep || days < -MaxDayStep)
        return std::nullopt;
    const FileTime t = addDays(start, days);
    if (t < minFileTime() || t > maxFileTime())
        return std::nullopt;
    return t;
}

// Half-month steps: the 5th and the 20th, or the 20th and the 5th of the next month.
std::optional<FileTime> stepHalfMonths(FileTime start, qint64 n)
{
    const LocalTime t = localFromFileTime(start);
    const bool odd = floorMod(n, 2) == 1;
    const bool earlyHalf = t.day <= 15;
    // An odd step from the later half lands in the next month; counted without
    // n + 1, which overflows for the largest n.
    const qint64 months = floorDiv(n, 2) + (odd && !earlyHalf ? 1 : 0);
    const int day = !odd ? t.day : (earlyHalf ? t.day + 15 : t.day - 15);
    return withDate(start, shiftedMonths(t, months, day, DayRule::KeepClamped));
}

// n times `factor`, or a value that every step bound refuses when that overflows.
qint64 scaled(qint64 n, qint64 factor)
{
    qint64 result = 0;
    if (__builtin_mul_overflow(n, factor, &result))
        return MaxDayStep + 1;
    return result;
}

}  // namespace

QString RecurrenceRule::name(qint32 kind)
{
    return isKnown(kind) ? names().at(kind) : QString();
}

QStringList RecurrenceRule::names()
{
    return {QStringLiteral("Only once"),         QStringLiteral("Weekly"),
            QStringLiteral("Every two weeks"),   QStringLiteral("Twice a month"),
            QStringLiteral("Every four weeks"),  QStringLiteral("Monthly"),
            QStringLiteral("Last day of month"), QStringLiteral("Every two months"),
            QStringLiteral("Quarterly"),         QStringLiteral("Twice a year"),
            QStringLiteral("Annually")};
}

std::optional<FileTime> RecurrenceRule::occurrenceDate(qint32 kind, FileTime start, qint64 n)
{
    // A damaged start date has no calendar fields to step from.
    if (start < minFileTime() || start > maxFileTime())
        return std::nullopt;
    switch (kind) {
    case Weekly:
        return stepDays(start, scaled(n, 7));
    case EveryTwoWeeks:
        return stepDays(start, scaled(n, 14));
    case TwiceAMonth:
        return stepHalfMonths(start, n);
    case EveryFourWeeks:
        return stepDays(start, scaled(n, 28));
    case Monthly:
        return stepMonths(start, n, DayRule::KeepClamped);
    case LastDayOfMonth:
        return stepMonths(start, n, DayRule::LastOfMonth);
    case EveryTwoMonths:
        return stepMonths(start, scaled(n, 2), DayRule::KeepClamped);
    case Quarterly:
        return stepMonths(start, scaled(n, 3), DayRule::KeepClamped);
    case TwiceAYear:
        return stepMonths(start, scaled(n, 6), DayRule::KeepClamped);
    case Annually:
        return stepMonths(start, scaled(n, 12), DayRule::KeepClamped);
    default:
        break;
    }
    // "Only once" and unknown codes: every occurrence is the start date.
    return start;
}

bool RecurrenceRule::advances(qint32 kind)
{
    return isKnown(kind) && kind != OnlyOnce;
}

qint32 RecurrenceRule::entriesForNewRule(qint32 kind)
{
    return kind == OnlyOnce ? 1 : Ongoing;
}

std::optional<qint64> RecurrenceRule::occurrenceLimit(qint32 kind, qint32 entries)
{
    if (!advances(kind))
        return std::max<qint64>(1, entries);
    if (entries >= 1)
        return entries;
    return std::nullopt;
}
