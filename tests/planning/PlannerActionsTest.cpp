#include "planning/PlannerActions.h"

#include "PlannerTestBook.h"

namespace {

using Outcome = PlannerActions::DeleteOutcome;

class PlannerActionsTest : public ::testing::Test {
protected:
    PlannerActions actions() { return PlannerActions(b.tables(), b.future, b.clock, b.ui); }

    PlannerTestBook b;
};

TEST_F(PlannerActionsTest, StopAndActivateToggle)
{
    b.addPlan(RawPlan{.id = 1});
    PlannerActions a = actions();
    EXPECT_EQ(PlannerActions::toggleText(false), QStringLiteral("Stop"));
    EXPECT_EQ(PlannerActions::toggleText(true), QStringLiteral("Activate"));
    EXPECT_EQ(a.toggleStopped(1), std::optional<bool>(true));
    EXPECT_TRUE(b.plan(1)->stopped);
    EXPECT_EQ(a.toggleStopped(1), std::optional<bool>(false));
    EXPECT_FALSE(b.plan(1)->stopped);
    EXPECT_EQ(a.toggleStopped(2), std::nullopt);
}

TEST_F(PlannerActionsTest, StoppingEmptiesThePlansRowsAndActivatingBringsThemBack)
{
    b.addPlan(RawPlan{.id = 1, .start = at(2024, 3, 1, 9), .entries = 3});
    ASSERT_TRUE(b.future.build(at(2024, 5, 31), true));
    ASSERT_EQ(b.future.count(), 3);
    PlannerActions a = actions();
    ASSERT_TRUE(a.toggleStopped(1));
    EXPECT_EQ(b.future.count(), 0);
    ASSERT_TRUE(a.toggleStopped(1));
    EXPECT_EQ(b.future.count(), 3);
    EXPECT_EQ(b.horizon, endOfDay(at(2024, 5, 31)));
}

TEST_F(PlannerActionsTest, DeletingAsksFirst)
{
    b.addPlan(RawPlan{.id = 1});
    const QString posted = b.addPosting(1, at(2024, 1, 10, 9), PlannerTestBook::Cash, at(2024, 1, 11), -5000);
    PlannerActions a = actions();
    EXPECT_EQ(a.remove(1), Outcome::Declined);
    EXPECT_EQ(b.ui.questions, QStringList{QStringLiteral(
                                  "This Time-Table transaction will be deleted. Do you wish to continue?")});
    EXPECT_TRUE(b.plan(1));
    ASSERT_TRUE(b.seekTransaction(posted));
    EXPECT_EQ(b.tables().transactions().getInt(Prop::PlannerId), 1);

    // A plan that is not there is not asked about.
    b.ui.questions.clear();
    EXPECT_EQ(a.remove(2), Outcome::Missing);
    EXPECT_TRUE(b.ui.questions.isEmpty());
}

TEST_F(PlannerActionsTest, DeletingDetachesPostingsAndDropsDismissedOnes)
{
    // Plan 12's keys ("12_...") sort just before plan 1's ("1_..."): the
    // deletion of plan 1 must leave them alone.
    b.addPlan(RawPlan{.id = 1});
    b.addPlan(RawPlan{.id = 12});
    const QString full = b.addPosting(1, at(2024, 1, 10, 9), PlannerTestBook::Cash, at(2024, 1, 11), -5000);
    const QString part =
        b.addPosting(1, at(2024, 2, 10, 9), PlannerTestBook::Savings, at(2024, 2, 11), -2000, true);
    const QString dismissed =
        b.addPosting(1, at(2024, 3, 10, 9), ReservedAccount::Holder, at(2024, 3, 4), -5000);
    const QString other = b.addPosting(12, at(2024, 1, 10, 9), PlannerTestBook::Cash, at(2024, 1, 12), -5000);
    const QString otherDismissed =
        b.addPosting(12, at(2024, 2, 10, 9), ReservedAccount::Holder, at(2024, 3, 4, 1), -5000);
    b.ui.answer(true);
    PlannerActions a = actions();
    ASSERT_EQ(a.remove(1), Outcome::Deleted);

    EXPECT_FALSE(b.plan(1));
    EXPECT_TRUE(b.plan(12));
    DbTable& t = b.tables().transactions();
    for (const QString& key : {full, part}) {
        ASSERT_TRUE(b.seekTransaction(key)) << key.toStdString();
        EXPECT_EQ(t.getInt(Prop::PlannerId), 0);
        EXPECT_EQ(t.getInt64(Prop::PartialPosting), 0);
        EXPECT_EQ(t.getInt64(Prop::PostedAmount), 0);
        EXPECT_FALSE(t.has(Prop::PlannerKey));
        // What was booked stays booked.
        EXPECT_NE(t.getInt64(Prop::Amount), 0);
        EXPECT_NE(t.getInt64(Prop::PlannedDate), 0);
    }
    EXPECT_FALSE(b.seekTransaction(dismissed));
    for (const QString& key : {other, otherDismissed}) {
        ASSERT_TRUE(b.seekTransaction(key)) << key.toStdString();
        EXPECT_EQ(t.getInt(Prop::PlannerId), 12);
        EXPECT_TRUE(t.has(Prop::PlannerKey));
    }
    EXPECT_EQ(t.count(), 4);
    // The cursor is back in its working order.
    EXPECT_EQ(t.sortId(), Prop::AccountKey);
    EXPECT_EQ(b.ui.progressLabels, QStringList{QStringLiteral("one moment...")});
    EXPECT_EQ(b.ui.progressSteps, PlannerActions::ProgressSteps);
    EXPECT_EQ(b.ui.progressDone, PlannerActions::ProgressSteps);
}

TEST_F(PlannerActionsTest, AStopInTheProgressWindowChangesNothing)
{
    b.addPlan(RawPlan{.id = 1});
    const QString dismissed =
        b.addPosting(1, at(2024, 1, 10, 9), ReservedAccount::Holder, at(2024, 3, 4), -5000);
    b.addPosting(1, at(2024, 2, 10, 9), PlannerTestBook::Cash, at(2024, 2, 11), -5000);
    b.ui.answer(true);
    b.ui.stopAfterSteps(1);
    PlannerActions a = actions();
    EXPECT_EQ(a.remove(1), Outcome::Declined);
    EXPECT_TRUE(b.plan(1));
    EXPECT_TRUE(b.seekTransaction(dismissed));
}

TEST_F(PlannerActionsTest, DeletingRemovesThePlansRows)
{
    b.addPlan(RawPlan{.id = 1, .start = at(2024, 3, 1, 9), .entries = 3});
    b.addPlan(RawPlan{.id = 2, .start = at(2024, 3, 2, 9), .entries = 1});
    ASSERT_TRUE(b.future.build(at(2024, 5, 31), true));
    ASSERT_EQ(b.future.count(), 4);
    b.ui.answer(true);
    PlannerActions a = actions();
    ASSERT_EQ(a.remove(1), Outcome::Deleted);
    const std::vector<FutureEntry> left = b.future.entries();
    ASSERT_EQ(left.size(), 1u);
    EXPECT_EQ(left[0].plannerId, 2);
}

}  // namespace
