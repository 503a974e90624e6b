#include "planning/ScheduleCounts.h"

#include <QString>

#include <gtest/gtest.h>

#include <limits>

namespace {

struct CountCase {
    const char* typed;
    CorrectedCount expected;
};

class EntriesInputTest : public ::testing::TestWithParam<CountCase> {};

TEST_P(EntriesInputTest, KeepsOneTo365AndCorrectsTheRest)
{
    const auto& c = GetParam();
    EXPECT_EQ(ScheduleCounts::entries(QString::fromLatin1(c.typed)), c.expected) << c.typed;
}

INSTANTIATE_TEST_SUITE_P(Typed, EntriesInputTest,
                         ::testing::Values(CountCase{"1", {1, false}}, CountCase{"12", {12, false}},
                                           CountCase{"365", {365, false}}, CountCase{" 7 ", {7, false}},
                                           CountCase{"0", {1, true}}, CountCase{"", {1, true}},
                                           CountCase{"abc", {1, true}}, CountCase{"-7", {7, true}},
                                           CountCase{"-0", {1, true}}, CountCase{"366", {364, true}},
                                           CountCase{"500", {364, true}}, CountCase{"-500", {364, true}},
                                           CountCase{"99999999999999999999", {364, true}},
                                           CountCase{"+3", {3, false}}, CountCase{"3.7", {3, false}}));

class ReminderDaysInputTest : public ::testing::TestWithParam<CountCase> {};

TEST_P(ReminderDaysInputTest, KeepsZeroTo365AndCorrectsTheRest)
{
    const auto& c = GetParam();
    EXPECT_EQ(ScheduleCounts::reminderDays(QString::fromLatin1(c.typed)), c.expected) << c.typed;
}

INSTANTIATE_TEST_SUITE_P(Typed, ReminderDaysInputTest,
                         ::testing::Values(CountCase{"0", {0, false}}, CountCase{"", {0, false}},
                                           CountCase{"3", {3, false}}, CountCase{"365", {365, false}},
                                           CountCase{"-2", {2, true}}, CountCase{"366", {364, true}},
                                           CountCase{"-9999", {364, true}}));

TEST(ReminderMinutesTest, ConvertsWholeDays)
{
    EXPECT_EQ(ScheduleCounts::minutesOfDays(0), 0);
    EXPECT_EQ(ScheduleCounts::minutesOfDays(3), 3 * 1440);
    EXPECT_EQ(ScheduleCounts::minutesOfDays(365), 365 * 1440);
    EXPECT_EQ(ScheduleCounts::minutesOfDays(-4), 0);
    EXPECT_EQ(ScheduleCounts::minutesOfDays(std::numeric_limits<qint32>::max()), 365 * 1440);
    EXPECT_EQ(ScheduleCounts::daysOfMinutes(1439), 0);
    EXPECT_EQ(ScheduleCounts::daysOfMinutes(2 * 1440 + 1439), 2);
    EXPECT_EQ(ScheduleCounts::daysOfMinutes(-1440), 0);
}

}  // namespace
