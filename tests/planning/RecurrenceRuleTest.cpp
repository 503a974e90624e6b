#include "planning/RecurrenceRule.h"

#include <gtest/gtest.h>

#include <limits>

namespace {

FileTime at(int y, int mo, int d, int h = 9, int mi = 30, int s = 15, int ms = 250)
{
    return *fileTimeFromLocal(LocalTime{y, mo, d, h, mi, s, ms});
}

struct DateCase {
    qint32 kind;
    FileTime start;
    qint64 n;
    FileTime expected;
};

class OccurrenceDateTest : public ::testing::TestWithParam<DateCase> {};

TEST_P(OccurrenceDateTest, GivesTheDateOfOccurrenceN)
{
    const DateCase& c = GetParam();
    const auto got = RecurrenceRule::occurrenceDate(c.kind, c.start, c.n);
    ASSERT_TRUE(got.has_value());
    const LocalTime g = localFromFileTime(*got);
    const LocalTime e = localFromFileTime(c.expected);
    EXPECT_EQ(g, e) << g.year << '-' << g.month << '-' << g.day;
}

using R = RecurrenceRule;

INSTANTIATE_TEST_SUITE_P(Rules, OccurrenceDateTest,
                         ::testing::Values(DateCase{R::OnlyOnce, at(2024, 3, 5), 0, at(2024, 3, 5)},
                                           DateCase{R::OnlyOnce, at(2024, 3, 5), 9, at(2024, 3, 5)},
                                           DateCase{R::Weekly, at(2024, 2, 26), 1, at(2024, 3, 4)},
                                           DateCase{R::Weekly, at(2023, 12, 28), 1, at(2024, 1, 4)},
                                           DateCase{R::EveryTwoWeeks, at(2024, 2, 22), 1, at(2024, 3, 7)},
                                           DateCase{R::EveryFourWeeks, at(2024, 1, 1), 13, at(2024, 12, 30)},
                                           // Monthly keeps the start day, clamped, and never drifts.
                                           DateCase{R::Monthly, at(2024, 1, 31), 1, at(2024, 2, 29)},
                                           DateCase{R::Monthly, at(2023, 1, 31), 1, at(2023, 2, 28)},
                                           DateCase{R::Monthly, at(2023, 1, 31), 2, at(2023, 3, 31)},
                                           DateCase{R::Monthly, at(2023, 1, 31), 3, at(2023, 4, 30)},
                                           DateCase{R::Monthly, at(2023, 11, 15), 2, at(2024, 1, 15)},
                                           DateCase{R::Monthly, at(2023, 11, 15), 14, at(2025, 1, 15)},
                                           // Last day of month moves even occurrence 0.
                                           DateCase{R::LastDayOfMonth, at(2024, 1, 15), 0, at(2024, 1, 31)},
                                           DateCase{R::LastDayOfMonth, at(2024, 1, 15), 1, at(2024, 2, 29)},
                                           DateCase{R::LastDayOfMonth, at(2023, 1, 15), 1, at(2023, 2, 28)},
                                           DateCase{R::LastDayOfMonth, at(2023, 1, 15), 2, at(2023, 3, 31)},
                                           DateCase{R::LastDayOfMonth, at(2023, 1, 15), 3, at(2023, 4, 30)},
                                           DateCase{R::EveryTwoMonths, at(2023, 12, 31), 1, at(2024, 2, 29)},
                                           DateCase{R::Quarterly, at(2023, 11, 30), 1, at(2024, 2, 29)},
                                           DateCase{R::Quarterly, at(2023, 11, 30), 4, at(2024, 11, 30)},
                                           DateCase{R::TwiceAYear, at(2023, 8, 31), 1, at(2024, 2, 29)},
                                           DateCase{R::TwiceAYear, at(2023, 8, 31), 3, at(2025, 2, 28)},
                                           // Annually from 29 February: 28 February until the next leap year.
                                           DateCase{R::Annually, at(2024, 2, 29), 1, at(2025, 2, 28)},
                                           DateCase{R::Annually, at(2024, 2, 29), 3, at(2027, 2, 28)},
                                           DateCase{R::Annually, at(2024, 2, 29), 4, at(2028, 2, 29)},
                                           DateCase{R::Annually, at(2096, 2, 29), 4, at(2100, 2, 28)},
                                           DateCase{R::Annually, at(2096, 2, 29), 104, at(2200, 2, 28)},
                                           DateCase{R::Annually, at(1996, 2, 29), 4, at(2000, 2, 29)},
                                           // Twice a month, early start day: the 5th and the 20th.
                                           DateCase{R::TwiceAMonth, at(2024, 1, 5), 0, at(2024, 1, 5)},
                                           DateCase{R::TwiceAMonth, at(2024, 1, 5), 1, at(2024, 1, 20)},
                                           DateCase{R::TwiceAMonth, at(2024, 1, 5), 2, at(2024, 2, 5)},
                                           DateCase{R::TwiceAMonth, at(2024, 1, 5), 23, at(2024, 12, 20)},
                                           DateCase{R::TwiceAMonth, at(2024, 1, 15), 3, at(2024, 2, 29)},
                                           DateCase{R::TwiceAMonth, at(2023, 1, 15), 3, at(2023, 2, 28)},
                                           // Late start day: the 20th and the 5th of the next month.
                                           DateCase{R::TwiceAMonth, at(2024, 1, 20), 1, at(2024, 2, 5)},
                                           DateCase{R::TwiceAMonth, at(2024, 1, 20), 2, at(2024, 2, 20)},
                                           DateCase{R::TwiceAMonth, at(2024, 1, 30), 1, at(2024, 2, 15)},
                                           DateCase{R::TwiceAMonth, at(2024, 1, 30), 2, at(2024, 2, 29)},
                                           DateCase{R::TwiceAMonth, at(2024, 1, 30), 3, at(2024, 3, 15)},
                                           DateCase{R::TwiceAMonth, at(2024, 1, 30), 4, at(2024, 3, 30)},
                                           DateCase{R::TwiceAMonth, at(2024, 1, 31), 1, at(2024, 2, 16)},
                                           DateCase{R::TwiceAMonth, at(2024, 1, 31), 2, at(2024, 2, 29)},
                                           DateCase{R::TwiceAMonth, at(2024, 1, 16), 1, at(2024, 2, 1)},
                                           // Negative steps (the text macros use them).
                                           DateCase{R::Monthly, at(2024, 1, 10), -1, at(2023, 12, 10)},
                                           DateCase{R::Monthly, at(2024, 1, 10), -13, at(2022, 12, 10)},
                                           DateCase{R::Monthly, at(2024, 3, 31), -1, at(2024, 2, 29)},
                                           DateCase{R::Weekly, at(2024, 1, 3), -1, at(2023, 12, 27)},
                                           DateCase{R::Annually, at(2024, 2, 29), -1, at(2023, 2, 28)},
                                           DateCase{R::TwiceAMonth, at(2024, 3, 5), -1, at(2024, 2, 20)},
                                           DateCase{R::TwiceAMonth, at(2024, 3, 20), -1, at(2024, 3, 5)},
                                           // Large steps that stay inside the calendar.
                                           DateCase{R::Monthly, at(2000, 1, 31), 12 * 7999 + 1,
                                                    at(9999, 2, 28)},
                                           DateCase{R::Weekly, at(1601, 1, 1), 100000, at(3517, 7, 16)},
                                           DateCase{R::Annually, at(1601, 12, 31), 8398, at(9999, 12, 31)},
                                           // Unknown codes repeat nothing.
                                           DateCase{11, at(2024, 5, 6), 5, at(2024, 5, 6)},
                                           DateCase{-3, at(2024, 5, 6), 5, at(2024, 5, 6)}));

TEST(RecurrenceRuleTest, KeepsTheTimeOfDayDownToTheTick)
{
    const FileTime start = at(2024, 1, 31, 23, 59, 59, 999) + 7;  // 7 ticks past the millisecond
    for (qint32 kind = 0; kind < RecurrenceRule::KindCount; ++kind) {
        const auto got = RecurrenceRule::occurrenceDate(kind, start, 5);
        ASSERT_TRUE(got.has_value()) << kind;
        EXPECT_EQ(*got % TicksPerDay, start % TicksPerDay) << kind;
    }
}

struct OutOfCalendarCase {
    qint32 kind;
    FileTime start;
    qint64 n;
};

class OccurrenceOutsideCalendarTest : public ::testing::TestWithParam<OutOfCalendarCase> {};

TEST_P(OccurrenceOutsideCalendarTest, GivesNothing)
{
    const auto& c = GetParam();
    EXPECT_FALSE(RecurrenceRule::occurrenceDate(c.kind, c.start, c.n).has_value());
}

constexpr qint64 Huge = std::numeric_limits<qint64>::max();
constexpr qint64 HugeNegative = std::numeric_limits<qint64>::min();

INSTANTIATE_TEST_SUITE_P(Edges, OccurrenceOutsideCalendarTest,
                         ::testing::Values(OutOfCalendarCase{R::Monthly, at(9999, 12, 1), 1},
                                           OutOfCalendarCase{R::Weekly, at(9999, 12, 28), 1},
                                           OutOfCalendarCase{R::Annually, at(1601, 5, 1), -1},
                                           OutOfCalendarCase{R::Monthly, at(1601, 1, 1), -1},
                                           OutOfCalendarCase{R::TwiceAMonth, at(9999, 12, 20), 1},
                                           OutOfCalendarCase{R::Weekly, at(2024, 1, 1), Huge},
                                           OutOfCalendarCase{R::Weekly, at(2024, 1, 1), HugeNegative},
                                           OutOfCalendarCase{R::EveryFourWeeks, at(2024, 1, 1), Huge / 20},
                                           OutOfCalendarCase{R::Monthly, at(2024, 1, 1), Huge},
                                           OutOfCalendarCase{R::TwiceAYear, at(2024, 1, 1), HugeNegative},
                                           OutOfCalendarCase{R::Annually, at(2024, 1, 1), Huge / 6},
                                           OutOfCalendarCase{R::TwiceAMonth, at(2024, 1, 20), Huge},
                                           OutOfCalendarCase{R::TwiceAMonth, at(2024, 1, 5), HugeNegative},
                                           OutOfCalendarCase{R::TwiceAMonth, at(2024, 1, 20),
                                                             HugeNegative + 1},
                                           // A damaged start date outside the supported range.
                                           OutOfCalendarCase{R::OnlyOnce, -1, 0},
                                           OutOfCalendarCase{99, std::numeric_limits<qint64>::max(), 0}));

TEST(RecurrenceRuleTest, NamesFollowTheRepeatList)
{
    ASSERT_EQ(RecurrenceRule::names().size(), RecurrenceRule::KindCount);
    EXPECT_EQ(RecurrenceRule::name(RecurrenceRule::OnlyOnce), QStringLiteral("Only once"));
    EXPECT_EQ(RecurrenceRule::name(RecurrenceRule::TwiceAMonth), QStringLiteral("Twice a month"));
    EXPECT_EQ(RecurrenceRule::name(RecurrenceRule::Annually), QStringLiteral("Annually"));
    EXPECT_EQ(RecurrenceRule::name(11), QString());
    EXPECT_EQ(RecurrenceRule::name(-1), QString());
}

struct LimitCase {
    qint32 kind;
    qint32 entries;
    std::optional<qint64> limit;
};

class OccurrenceLimitTest : public ::testing::TestWithParam<LimitCase> {};

TEST_P(OccurrenceLimitTest, BoundsEveryRuleThatDoesNotAdvance)
{
    const auto& c = GetParam();
    EXPECT_EQ(RecurrenceRule::occurrenceLimit(c.kind, c.entries), c.limit);
}

INSTANTIATE_TEST_SUITE_P(Counts, OccurrenceLimitTest,
                         ::testing::Values(LimitCase{R::OnlyOnce, 1, 1},
                                           LimitCase{R::OnlyOnce, RecurrenceRule::Ongoing, 1},
                                           LimitCase{R::OnlyOnce, 0, 1}, LimitCase{R::OnlyOnce, 4, 4},
                                           LimitCase{42, RecurrenceRule::Ongoing, 1}, LimitCase{-1, 3, 3},
                                           LimitCase{R::Monthly, 3, 3},
                                           LimitCase{R::Monthly, RecurrenceRule::Ongoing, std::nullopt},
                                           LimitCase{R::Weekly, 0, std::nullopt},
                                           LimitCase{R::Annually, -9, std::nullopt}));

TEST(RecurrenceRuleTest, ChoosingARuleSetsItsNumberOfEntries)
{
    EXPECT_EQ(RecurrenceRule::entriesForNewRule(RecurrenceRule::OnlyOnce), 1);
    for (qint32 kind = 1; kind < RecurrenceRule::KindCount; ++kind)
        EXPECT_EQ(RecurrenceRule::entriesForNewRule(kind), RecurrenceRule::Ongoing) << kind;
}

}  // namespace
