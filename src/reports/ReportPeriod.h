#pragma once

// The named periods of the period bar, each a span of whole days worked out
// from "today". The caller passes today in; nothing here reads the clock.

#include "platform/LocalTime.h"
#include "store/FileTime.h"

#include <QString>
#include <QStringList>
#include <QStringView>

#include <optional>

class ReportFilter;

class ReportPeriod {
public:
    // In the order of the period list.
    enum class Named { LastYear, LastQuarter, LastMonth, CurrentYear, CurrentQuarter, CurrentMonth, Today };

    struct Range {
        FileTime from = 0;  // 00:00:00.000 of the first day
        FileTime to = 0;    // 23:59:59.999 of the last day
        friend bool operator==(const Range&, const Range&) = default;
    };

    // "Last Year", ..., "Today", in list order.
    static const QStringList& names();
    static QString nameOf(Named period);
    // nullopt for a text that is not one of names() exactly.
    static std::optional<Named> byName(QStringView name);

    // nullopt when today is not a valid date or the period would start before
    // the first supported year ("Last Year" in 1601).
    static std::optional<Range> rangeOf(Named period, const LocalTime& today);
    // Sets the filter's dates to the period; false (filter unchanged) when
    // rangeOf gives nothing.
    static bool apply(ReportFilter& filter, Named period, const LocalTime& today);

private:
    static std::optional<Range> days(int fromYear, int fromMonth, int fromDay, int toYear, int toMonth,
                                     int toDay);
    static std::optional<Range> wholeMonths(int year, int firstMonth, int lastMonth);
};
