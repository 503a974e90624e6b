#include "reports/ReportPeriod.h"

#include "reports/ReportFilter.h"

#include <gtest/gtest.h>

namespace {

using Named = ReportPeriod::Named;

struct PeriodCase {
    Named period;
    LocalTime today;
    LocalTime from;  // a day
    LocalTime to;    // a day
};

LocalTime day(int y, int m, int d)
{
    return LocalTime{y, m, d, 0, 0, 0, 0};
}

FileTime startOf(const LocalTime& t)
{
    return *fileTimeFromLocal(LocalTime{t.year, t.month, t.day, 0, 0, 0, 0});
}
FileTime endOf(const LocalTime& t)
{
    return *fileTimeFromLocal(LocalTime{t.year, t.month, t.day, 23, 59, 59, 999});
}

TEST(ReportPeriod, NamedPeriodsSpanWholeDays)
{
    const LocalTime noon{2003, 12, 5, 12, 34, 56, 789};
    const PeriodCase cases[] = {
        {Named::LastYear, noon, day(2002, 1, 1), day(2002, 12, 31)},
        {Named::LastQuarter, noon, day(2003, 7, 1), day(2003, 9, 30)},
        {Named::LastQuarter, day(2004, 2, 15), day(2003, 10, 1), day(2003, 12, 31)},
        {Named::LastQuarter, day(2004, 5, 15), day(2004, 1, 1), day(2004, 3, 31)},
        {Named::LastQuarter, day(2004, 3, 31), day(2003, 10, 1), day(2003, 12, 31)},
        {Named::LastQuarter, day(2004, 4, 1), day(2004, 1, 1), day(2004, 3, 31)},
        {Named::LastMonth, day(2004, 1, 20), day(2003, 12, 1), day(2003, 12, 31)},
        {Named::LastMonth, day(2004, 3, 31), day(2004, 2, 1), day(2004, 2, 29)},
        {Named::LastMonth, day(2003, 3, 1), day(2003, 2, 1), day(2003, 2, 28)},
        {Named::LastMonth, day(2003, 5, 31), day(2003, 4, 1), day(2003, 4, 30)},
        {Named::CurrentYear, noon, day(2003, 1, 1), day(2003, 12, 5)},
        {Named::CurrentQuarter, noon, day(2003, 10, 1), day(2003, 12, 5)},
        {Named::CurrentQuarter, day(2003, 3, 31), day(2003, 1, 1), day(2003, 3, 31)},
        {Named::CurrentQuarter, day(2003, 4, 1), day(2003, 4, 1), day(2003, 4, 1)},
        {Named::CurrentMonth, noon, day(2003, 12, 1), day(2003, 12, 5)},
        {Named::Today, noon, day(2003, 12, 5), day(2003, 12, 5)},
    };
    for (const PeriodCase& c : cases) {
        const auto range = ReportPeriod::rangeOf(c.period, c.today);
        ASSERT_TRUE(range) << ReportPeriod::nameOf(c.period).toStdString();
        EXPECT_EQ(range->from, startOf(c.from)) << ReportPeriod::nameOf(c.period).toStdString() << " "
                                                << c.today.year << "-" << c.today.month << "-" << c.today.day;
        EXPECT_EQ(range->to, endOf(c.to)) << ReportPeriod::nameOf(c.period).toStdString() << " "
                                          << c.today.year << "-" << c.today.month << "-" << c.today.day;
    }
}

TEST(ReportPeriod, NoRangeForAnInvalidTodayOrBeforeTheFirstYear)
{
    EXPECT_FALSE(ReportPeriod::rangeOf(Named::Today, day(2003, 2, 30)));
    EXPECT_FALSE(ReportPeriod::rangeOf(Named::Today, day(2003, 13, 1)));
    EXPECT_FALSE(ReportPeriod::rangeOf(Named::LastYear, day(1601, 6, 1)));
    EXPECT_FALSE(ReportPeriod::rangeOf(Named::LastMonth, day(1601, 1, 10)));
    EXPECT_TRUE(ReportPeriod::rangeOf(Named::LastMonth, day(1601, 2, 10)));
    EXPECT_TRUE(ReportPeriod::rangeOf(Named::Today, day(9999, 12, 31)));
}

TEST(ReportPeriod, NamesAreInListOrderAndFoundExactly)
{
    const QStringList expected = {"Last Year",       "Last Quarter",  "Last Month", "Current Year",
                                  "Current Quarter", "Current Month", "Today"};
    EXPECT_EQ(ReportPeriod::names(), expected);
    for (int i = 0; i < expected.size(); ++i)
        EXPECT_EQ(ReportPeriod::byName(expected.at(i)), static_cast<Named>(i));
    EXPECT_FALSE(ReportPeriod::byName(u"today"));
    EXPECT_FALSE(ReportPeriod::byName(u""));
}

TEST(ReportPeriod, ApplySetsTheFiltersDatesOrNothing)
{
    ReportFilter filter;
    ASSERT_TRUE(ReportPeriod::apply(filter, Named::LastMonth, day(2004, 1, 20)));
    EXPECT_EQ(filter.dateLow(), startOf(day(2003, 12, 1)));
    EXPECT_EQ(filter.dateHigh(), endOf(day(2003, 12, 31)));
    const quint32 counter = filter.changeCount();
    EXPECT_FALSE(ReportPeriod::apply(filter, Named::LastYear, day(1601, 1, 1)));
    EXPECT_EQ(filter.dateLow(), startOf(day(2003, 12, 1)));
    EXPECT_EQ(filter.changeCount(), counter);
}

}  // namespace
