#include "planning/FutureList.h"

#include "planning/PlanningTestBook.h"

#include <gtest/gtest.h>

namespace {

using R = RecurrenceRule;

PlanSpec monthly(qint32 id, FileTime start, qint32 entries = R::Ongoing, qint64 amount = -50000)
{
    PlanSpec p;
    p.id = id;
    p.start = start;
    p.rule = R::Monthly;
    p.entries = entries;
    p.amount = amount;
    return p;
}

std::vector<ExpectedOccurrence> sortedByPlan(std::vector<ExpectedOccurrence> v)
{
    std::sort(v.begin(), v.end(), [](const ExpectedOccurrence& a, const ExpectedOccurrence& b) {
        return std::pair(a.plannerId, a.date) < std::pair(b.plannerId, b.date);
    });
    return v;
}

}  // namespace

TEST(FutureListBuild, MonthlyPlanOfThreeStartedThreeMonthsAgoListsThreeRowsAndNoMore)
{
    PlanningTestBook b;
    b.addPlan(monthly(1, day(2024, 1, 15), 3));
    ASSERT_TRUE(b.future.build(day(2024, 4, 20, 10), false));
    EXPECT_EQ(b.listedDates(), (std::vector<FileTime>{day(2024, 1, 15), day(2024, 2, 15), day(2024, 3, 15)}));
    EXPECT_EQ(b.horizon, endOfDay(day(2024, 4, 20)));
    EXPECT_EQ(b.future.horizon(), b.horizon);

    ASSERT_TRUE(b.future.build(day(2025, 12, 31), false));
    EXPECT_EQ(b.future.count(), 3);
}

TEST(FutureListBuild, EntryTakesThePlansFieldsWithTheDateMacrosFilledIn)
{
    PlanningTestBook b;
    PlanSpec p = monthly(1, day(2024, 1, 15), R::Ongoing, -1000);
    p.description = QStringLiteral("Rent {month} {year}");
    p.note = QStringLiteral("for {month-1}");
    p.currency = QStringLiteral("EUR");
    p.category = PlanningTestBook::RentCategory;
    p.project = PlanningTestBook::House;
    p.reminderDays = 2;
    b.addPlan(p);
    PlanSpec bare = monthly(2, day(2024, 1, 20));
    b.addPlan(bare);
    ASSERT_TRUE(b.future.build(day(2024, 2, 17), false));

    const std::vector<FutureEntry> all = b.future.entries();
    ASSERT_EQ(all.size(), 3u);  // 15 Jan, 20 Jan, 15 Feb (shown from 13 Feb)
    const FutureEntry& e = all[2];
    EXPECT_EQ(e.position, 2);
    EXPECT_EQ(e.plannerId, 1);
    EXPECT_EQ(e.date, day(2024, 2, 15));
    EXPECT_EQ(e.description, QStringLiteral("Rent February 2024"));
    EXPECT_EQ(e.note, QStringLiteral("for January"));
    EXPECT_EQ(e.amount, money(-1000));
    EXPECT_EQ(e.fullAmount, money(0));
    EXPECT_EQ(e.currency, QStringLiteral("EUR"));
    EXPECT_EQ(e.category, PlanningTestBook::RentCategory);
    EXPECT_EQ(e.project, PlanningTestBook::House);
    EXPECT_EQ(e.projectKey, fullKey(PlanningTestBook::House, day(2024, 2, 15)));
    EXPECT_EQ(e.reminderMinutes, 2 * 1440);
    EXPECT_FALSE(e.reminded);

    // Optional fields the plan lacks stay out of the record.
    DbTable& s = b.tables().scheduled();
    ASSERT_TRUE(s.moveTo(1));
    EXPECT_EQ(s.getInt(Prop::PlannerId), 2);
    for (const quint16 id : {Prop::Note, Prop::ProjectId, Prop::ProjectKey, Prop::CategoryId,
                             Prop::ReminderMinutes, Prop::FullAmount})
        EXPECT_FALSE(s.has(id)) << id;
}

TEST(FutureListBuild, ExtendingStepByStepListsWhatAForcedBuildListsWithoutDuplicates)
{
    PlanningTestBook b;
    b.addPlan(monthly(1, day(2024, 1, 15)));
    PlanSpec weekly = monthly(2, day(2024, 1, 3));
    weekly.rule = R::Weekly;
    weekly.reminderDays = 4;
    b.addPlan(weekly);
    for (const FileTime target : {day(2024, 1, 2), day(2024, 2, 1), day(2024, 3, 10), day(2024, 4, 30)})
        ASSERT_TRUE(b.future.build(target, false));
    const std::vector<ExpectedOccurrence> extended = b.listed();
    // Monthly: 15 Jan..15 Apr. Weekly from 3 Jan, shown 4 days early: up to 2 May.
    EXPECT_EQ(extended.size(), 4u + 18u);

    ASSERT_TRUE(b.future.build(day(2024, 4, 30), true));
    EXPECT_EQ(sortedByPlan(extended), sortedByPlan(b.listed()));
    EXPECT_EQ(b.listed(), b.future.expected(b.horizon));
}

TEST(FutureListBuild, TheSameDayWithoutForceChangesNothingWhileForceStartsAfresh)
{
    PlanningTestBook b;
    b.addPlan(monthly(1, day(2024, 1, 15)));
    ASSERT_TRUE(b.future.build(day(2024, 3, 1, 6), false));
    const quint64 version = b.future.changeCount();
    ASSERT_TRUE(b.tables().scheduled().deleteAt(0));

    ASSERT_TRUE(b.future.build(day(2024, 3, 1, 22), false));
    EXPECT_EQ(b.future.changeCount(), version);
    EXPECT_EQ(b.listedDates(), (std::vector<FileTime>{day(2024, 2, 15)}));

    ASSERT_TRUE(b.future.build(day(2024, 3, 1), true));
    EXPECT_EQ(b.future.changeCount(), version + 1);
    EXPECT_EQ(b.listedDates(), (std::vector<FileTime>{day(2024, 1, 15), day(2024, 2, 15)}));
}

TEST(FutureListBuild, MovingTheHorizonBackKeepsRowsWhoseReminderWindowHasBegun)
{
    PlanningTestBook b;
    b.addPlan(monthly(1, day(2024, 1, 15)));
    PlanSpec early = monthly(2, day(2024, 1, 20));
    early.reminderDays = 10;  // shown from the 10th
    b.addPlan(early);
    ASSERT_TRUE(b.future.build(day(2024, 4, 30), false));
    ASSERT_EQ(b.future.count(), 8);
    const std::vector<ExpectedOccurrence> before = b.listed();

    ASSERT_TRUE(b.future.build(day(2024, 3, 12), false));
    EXPECT_EQ(b.horizon, endOfDay(day(2024, 3, 12)));
    EXPECT_EQ(b.listedDates(), (std::vector<FileTime>{day(2024, 1, 15), day(2024, 1, 20), day(2024, 2, 15),
                                                      day(2024, 2, 20), day(2024, 3, 20)}));

    // Growing again brings back exactly what went.
    ASSERT_TRUE(b.future.build(day(2024, 4, 30), false));
    EXPECT_EQ(sortedByPlan(b.listed()), sortedByPlan(before));
}

TEST(FutureListBuild, ShrinkingBeforeEveryEntryEmptiesTheList)
{
    PlanningTestBook b;
    b.addPlan(monthly(1, day(2024, 1, 15)));
    ASSERT_TRUE(b.future.build(day(2024, 4, 30), false));
    ASSERT_TRUE(b.future.build(day(2023, 12, 31), false));
    EXPECT_EQ(b.future.count(), 0);
}

TEST(FutureListBuild, PostedOccurrencesAreLeftOutOrListedWithWhatIsStillOpen)
{
    PlanningTestBook b;
    b.addPlan(monthly(1, day(2024, 1, 15), R::Ongoing, -10000));
    b.addPosting(1, day(2024, 1, 15), -10000, false);                       // complete
    b.addPosting(1, day(2024, 2, 15), -4000, true, day(2024, 2, 15, 9));    // partly paid:
    b.addPosting(1, day(2024, 2, 15), -1000, true, day(2024, 2, 16, 9));    //   half left
    b.addPosting(1, day(2024, 3, 15), -10000, true);                        // partials cover it
    b.addPosting(1, day(2024, 4, 15), -12000, true);                        // partials exceed it
    b.addPosting(1, day(2024, 5, 15), -3000, true, day(2024, 5, 15, 9));    // a partial and
    b.addPosting(1, day(2024, 5, 15), -7000, false, day(2024, 5, 15, 10));  //   a full one
    b.addPlan(monthly(2, day(2024, 1, 16), 2, 10000));
    b.addPosting(2, day(2024, 1, 16), 4000, true);   // a deposit partly received
    b.addPosting(2, day(2024, 2, 16), 10000, true);  // received in full through a partial
    // A posting whose key names plan 1 but that belongs to plan 3 counts for neither.
    const QString stray = b.addPosting(1, day(2024, 6, 15), -10000, false);
    ASSERT_TRUE(b.seekTransaction(stray));
    ASSERT_TRUE(b.tables().transactions().setInt(Prop::PlannerId, 3));

    ASSERT_TRUE(b.future.build(day(2024, 6, 20), true));
    EXPECT_EQ(b.listed(), (std::vector<ExpectedOccurrence>{{2, day(2024, 1, 16), money(6000), money(10000)},
                                                           {1, day(2024, 2, 15), money(-5000), money(-10000)},
                                                           {1, day(2024, 6, 15), money(-10000), money(0)}}));
}

TEST(FutureListBuild, ListingStartsAtTheCompletedCountAndSkipsStoppedPlans)
{
    PlanningTestBook b;
    PlanSpec p = monthly(1, day(2024, 1, 15));
    p.completed = 2;
    b.addPlan(p);
    PlanSpec stopped = monthly(2, day(2024, 1, 1));
    stopped.stopped = true;
    b.addPlan(stopped);
    ASSERT_TRUE(b.future.build(day(2024, 4, 30), true));
    EXPECT_EQ(b.listedDates(), (std::vector<FileTime>{day(2024, 3, 15), day(2024, 4, 15)}));
}

struct RepeatingCase {
    const char* name;
    qint32 rule;
    qint32 entries;
};

class FutureListRepeatingDate : public ::testing::TestWithParam<RepeatingCase> {};

// Restored or damaged data may give a rule that never moves the date an
// ongoing or larger count; the build must still end, with one row.
TEST_P(FutureListRepeatingDate, ListsOneOccurrence)
{
    PlanningTestBook b;
    PlanSpec p = monthly(1, day(2024, 1, 15), GetParam().entries);
    p.rule = GetParam().rule;
    b.addPlan(p);
    ASSERT_TRUE(b.future.build(day(2030, 1, 1), true));
    EXPECT_EQ(b.listedDates(), (std::vector<FileTime>{day(2024, 1, 15)}));
}

INSTANTIATE_TEST_SUITE_P(Damaged, FutureListRepeatingDate,
                         ::testing::Values(RepeatingCase{"OnlyOnceOngoing", R::OnlyOnce, R::Ongoing},
                                           RepeatingCase{"OnlyOnceOfFive", R::OnlyOnce, 5},
                                           RepeatingCase{"UnknownRuleOngoing", 42, R::Ongoing},
                                           RepeatingCase{"NegativeRuleOfThree", -3, 3}),
                         [](const auto& param) { return std::string(param.param.name); });

TEST(FutureListBuild, AFailedWriteLeavesTheListTheHorizonAndTheVersionAsBefore)
{
    PlanningTestBook b;
    b.addPlan(monthly(1, day(2024, 1, 15)));
    ASSERT_TRUE(b.future.build(day(2024, 2, 20), false));
    const std::vector<ExpectedOccurrence> before = b.listed();
    const FileTime horizon = b.horizon;
    const quint64 version = b.future.changeCount();

    int writes = 0;
    b.store().setWriteFault([&] { return ++writes > 1; });  // the first row goes in, the second fails
    EXPECT_FALSE(b.future.build(day(2024, 5, 20), false));
    EXPECT_FALSE(b.future.build(day(2024, 5, 20), true));
    b.store().setWriteFault({});
    EXPECT_EQ(b.listed(), before);
    EXPECT_EQ(b.horizon, horizon);
    EXPECT_EQ(b.future.changeCount(), version);
    EXPECT_TRUE(b.inWorkingSorts());

    ASSERT_TRUE(b.future.build(day(2024, 5, 20), false));
    EXPECT_EQ(b.future.count(), 5);
}

TEST(FutureListBuild, ExpectedComputesTheListWithoutWritingAndLeavesTheSortsAlone)
{
    PlanningTestBook b;
    b.addPlan(monthly(1, day(2024, 1, 15), 3));
    b.addPosting(1, day(2024, 2, 15), -50000, false);
    const std::vector<ExpectedOccurrence> expected = b.future.expected(endOfDay(day(2024, 4, 30)));
    EXPECT_EQ(expected, (std::vector<ExpectedOccurrence>{{1, day(2024, 1, 15), money(-50000), money(0)},
                                                         {1, day(2024, 3, 15), money(-50000), money(0)}}));
    EXPECT_EQ(b.future.count(), 0);
    EXPECT_TRUE(b.inWorkingSorts());
}
