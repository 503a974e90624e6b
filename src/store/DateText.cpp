#include "store/DateText.h"

#include <QDate>

namespace {

QDate calendarDate(FileTime t)
{
    const LocalTime local = localFromFileTime(t);
    return QDate(local.year, local.month, local.day);
}

QString number(uint value)
{
    return QString::number(value);
}

// "%2u": right-aligned in two characters, padded with spaces.
QString padded2(uint value)
{
    return number(value).rightJustified(2, QLatin1Char(' '));
}

QString slashed(uint first, uint second, uint third)
{
    return number(first) + QLatin1Char('/') + number(second) + QLatin1Char('/') + number(third);
}

QString fullYearDate(const LocalTime& d, int dateOrder)
{
    const uint y = static_cast<uint>(d.year);
    const uint m = static_cast<uint>(d.month);
    const uint day = static_cast<uint>(d.day);
    switch (dateOrder) {
    case LocaleValues::MonthDayYear:
        return slashed(m, day, y);
    case LocaleValues::DayMonthYear:
        return slashed(day, m, y);
    case LocaleValues::YearMonthDay:
        return slashed(y, m, day);
    default:
        return QString();
    }
}

QString shortYearDate(const LocalTime& d, int dateOrder)
{
    // A file is read back with one order for all its dates, and a file whose
    // dates leave the order open is read in the locale's: so the day comes
    // first in every year when the locale puts it first.
    const bool dayFirst = dateOrder == LocaleValues::DayMonthYear;
    const uint first = static_cast<uint>(dayFirst ? d.day : d.month);
    const uint second = static_cast<uint>(dayFirst ? d.month : d.day);
    if (d.year < 1900) {
        // Years before 1900 have no two-digit form; the year minus 1900 would
        // be negative and print as a wrapped number, so the full year is written.
        return slashed(first, second, static_cast<uint>(d.year));
    }
    if (d.year < 2000)
        return slashed(first, second, static_cast<uint>(d.year - 1900));
    return number(first) + QLatin1Char('/') + padded2(second) + QLatin1Char('\'') +
           padded2(static_cast<uint>(d.year - 2000));
}

}  // namespace

QString shortDate(FileTime t, const LocaleValues& locale)
{
    return calendarDate(t).toString(locale.shortDateFormat);
}

QString dateWithWeekday(FileTime t, const LocaleValues& locale)
{
    const int weekday = dayOfWeek(t);
    if (weekday > locale.shortDayNames.size())
        return shortDate(t, locale).left(MaxDateWithWeekdayLength);
    const QString text = locale.shortDayNames.at(weekday - 1) + QStringLiteral(", ") + shortDate(t, locale);
    return text.left(MaxDateWithWeekdayLength);
}

QString datePickerFormat(int dateOrder, QChar separator)
{
    const QString s = QLatin1Char('\'') + separator + QLatin1Char('\'');
    switch (dateOrder) {
    case LocaleValues::DayMonthYear:
        return QStringLiteral("dd") + s + QStringLiteral("MM") + s + QStringLiteral("yyy");
    case LocaleValues::YearMonthDay:
        return QStringLiteral("yyy") + s + QStringLiteral("MM") + s + QStringLiteral("dd");
    default:
        return QStringLiteral("MM") + s + QStringLiteral("dd") + s + QStringLiteral("yyy");
    }
}

QString numericDate(FileTime t, int dateOrder, bool fullYear)
{
    const LocalTime d = localFromFileTime(t);
    return fullYear ? fullYearDate(d, dateOrder) : shortYearDate(d, dateOrder);
}
