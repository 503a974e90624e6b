#include "planning/OccurrenceSequence.h"

#include "planning/RecurrenceRule.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

FileTime day(int y, int m, int d)
{
    return *fileTimeFromLocal(LocalTime{y, m, d, 8, 0, 0, 0});
}

// At most `cap` occurrences, so a sequence that failed to end shows up as a
// list of exactly `cap` entries instead of a hung test.
std::vector<Occurrence> take(OccurrenceSequence seq, int cap = 1000)
{
    std::vector<Occurrence> out;
    while (static_cast<int>(out.size()) < cap) {
        const auto o = seq.next();
        if (!o)
            break;
        out.push_back(*o);
    }
    return out;
}

struct SequenceCase {
    const char* name;
    qint32 kind;
    FileTime start;
    qint32 entries;
    qint64 first;
    std::vector<Occurrence> expected;
};

class OccurrenceSequenceTest : public ::testing::TestWithParam<SequenceCase> {};

TEST_P(OccurrenceSequenceTest, ListsTheOpenOccurrences)
{
    const auto& c = GetParam();
    EXPECT_EQ(take(OccurrenceSequence(c.kind, c.start, c.entries, c.first)), c.expected);
}

using R = RecurrenceRule;

INSTANTIATE_TEST_SUITE_P(
    Plans, OccurrenceSequenceTest,
    ::testing::Values(
        SequenceCase{"MonthlyThreeEntries",
                     R::Monthly,
                     day(2024, 1, 31),
                     3,
                     0,
                     {{0, day(2024, 1, 31)}, {1, day(2024, 2, 29)}, {2, day(2024, 3, 31)}}},
        SequenceCase{
            "MonthlyThreeEntriesTwoDone", R::Monthly, day(2024, 1, 31), 3, 2, {{2, day(2024, 3, 31)}}},
        SequenceCase{"AllDone", R::Weekly, day(2024, 1, 1), 3, 3, {}},
        // Damaged data: more done than there are entries.
        SequenceCase{"MoreDoneThanEntries", R::Weekly, day(2024, 1, 1), 3, 7, {}},
        SequenceCase{"NegativeDoneStartsAtZero",
                     R::Weekly,
                     day(2024, 1, 1),
                     2,
                     -4,
                     {{0, day(2024, 1, 1)}, {1, day(2024, 1, 8)}}},
        SequenceCase{"OnlyOnce", R::OnlyOnce, day(2024, 6, 1), 1, 0, {{0, day(2024, 6, 1)}}},
        SequenceCase{"OnlyOnceDone", R::OnlyOnce, day(2024, 6, 1), 1, 1, {}},
        // Restored or damaged data pairing a non-advancing rule with "ongoing".
        SequenceCase{"OnlyOnceOngoing", R::OnlyOnce, day(2024, 6, 1), R::Ongoing, 0, {{0, day(2024, 6, 1)}}},
        SequenceCase{"OnlyOnceOngoingDone", R::OnlyOnce, day(2024, 6, 1), R::Ongoing, 1, {}},
        SequenceCase{"OnlyOnceManyEntriesStopsWhenTheDateRepeats",
                     R::OnlyOnce,
                     day(2024, 6, 1),
                     5,
                     0,
                     {{0, day(2024, 6, 1)}}},
        SequenceCase{"UnknownRuleOngoing", 77, day(2024, 6, 1), R::Ongoing, 0, {{0, day(2024, 6, 1)}}},
        // The calendar's end stops an ongoing plan.
        SequenceCase{"EndOfCalendar",
                     R::Annually,
                     day(9997, 3, 1),
                     R::Ongoing,
                     0,
                     {{0, day(9997, 3, 1)}, {1, day(9998, 3, 1)}, {2, day(9999, 3, 1)}}},
        SequenceCase{"StartOutsideCalendar", R::Monthly, -5, R::Ongoing, 0, {}}),
    [](const ::testing::TestParamInfo<SequenceCase>& param) { return std::string(param.param.name); });

TEST(OccurrenceSequenceEndTest, StaysEndedOnceEnded)
{
    OccurrenceSequence seq(RecurrenceRule::OnlyOnce, day(2024, 1, 1), RecurrenceRule::Ongoing, 0);
    ASSERT_TRUE(seq.next().has_value());
    EXPECT_FALSE(seq.next().has_value());
    EXPECT_FALSE(seq.next().has_value());
}

TEST(OccurrenceSequenceEndTest, OngoingAdvancingRuleKeepsGoing)
{
    const auto list = take(
        OccurrenceSequence(RecurrenceRule::TwiceAMonth, day(2024, 1, 31), RecurrenceRule::Ongoing, 0), 48);
    ASSERT_EQ(list.size(), 48u);
    for (size_t i = 1; i < list.size(); ++i)
        EXPECT_LT(list[i - 1].date, list[i].date) << i;
    EXPECT_EQ(list.back().index, 47);
}

}  // namespace
