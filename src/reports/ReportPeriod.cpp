#include "reports/ReportPeriod.h"

#include "reports/ReportFilter.h"

const QStringList& ReportPeriod::names()
{
    static const QStringList list = {
        QStringLiteral("Last Year"),    QStringLiteral("Last Quarter"),    QStringLiteral("Last Month"),
        QStringLiteral("Current Year"), QStringLiteral("Current Quarter"), QStringLiteral("Current Month"),
        QStringLiteral("Today"),
    };
    return list;
}

QString ReportPeriod::nameOf(Named period)
{
    return names().value(static_cast<int>(period));
}

std::optional<ReportPeriod::Named> ReportPeriod::byName(QStringView name)
{
    const qsizetype i = names().indexOf(name);
    if (i < 0)
        return std::nullopt;
    return static_cast<Named>(i);
}

std::optional<ReportPeriod::Range> ReportPeriod::days(int fromYear, int fromMonth, int fromDay, int toYear,
                                                      int toMonth, int toDay)
{
    const std::optional<FileTime> from =
        fileTimeFromLocal(LocalTime{fromYear, fromMonth, fromDay, 0, 0, 0, 0});
    const std::optional<FileTime> to = fileTimeFromLocal(LocalTime{toYear, toMonth, toDay, 0, 0, 0, 0});
    if (!from || !to)
        return std::nullopt;
    return Range{startOfDay(*from), endOfDay(*to)};
}

std::optional<ReportPeriod::Range> ReportPeriod::wholeMonths(int year, int firstMonth, int lastMonth)
{
    return days(year, firstMonth, 1, year, lastMonth, daysInMonth(year, lastMonth));
}

std::optional<ReportPeriod::Range> ReportPeriod::rangeOf(Named period, const LocalTime& today)
{
    const int y = today.year;
    const int m = today.month;
    if (!isValidDate(y, m, today.day))
        return std::nullopt;
    const int firstOfQuarter = (m - 1) / 3 * 3 + 1;
    switch (period) {
    case Named::LastYear:
        return wholeMonths(y - 1, 1, 12);
    case Named::LastQuarter: {
        // The quarter of the month three months back, reaching into last year
        // from the first quarter.
        const int back = m - 3 < 1 ? m - 3 + 12 : m - 3;
        const int first = (back - 1) / 3 * 3 + 1;
        return wholeMonths(m - 3 < 1 ? y - 1 : y, first, first + 2);
    }
    case Named::LastMonth:
        return m == 1 ? wholeMonths(y - 1, 12, 12) : wholeMonths(y, m - 1, m - 1);
    case Named::CurrentYear:
        return days(y, 1, 1, y, m, today.day);
    case Named::CurrentQuarter:
        return days(y, firstOfQuarter, 1, y, m, today.day);
    case Named::CurrentMonth:
        return days(y, m, 1, y, m, today.day);
    case Named::Today:
        return days(y, m, today.day, y, m, today.day);
    }
    return std::nullopt;
}

bool ReportPeriod::apply(ReportFilter& filter, Named period, const LocalTime& today)
{
    const std::optional<Range> range = rangeOf(period, today);
    if (!range)
        return false;
    filter.setDateLow(range->from);
    filter.setDateHigh(range->to);
    return true;
}
