#include "planning/FutureListCheck.h"

#include "planning/PlanningTestBook.h"

#include <gtest/gtest.h>

namespace {

using R = RecurrenceRule;

// Two plans, one with a project and a reminder, built to the end of April
// with a partial posting, then shrunk and grown again: a list that holds
// every invariant.
void makeList(PlanningTestBook& b)
{
    PlanSpec rent;
    rent.id = 1;
    rent.start = day(2024, 1, 15);
    rent.amount = -10000;
    rent.project = PlanningTestBook::House;
    rent.reminderDays = 20;
    b.addPlan(rent);
    PlanSpec pay;
    pay.id = 2;
    pay.start = day(2024, 1, 28);
    pay.amount = 300000;
    pay.rule = R::EveryTwoWeeks;
    b.addPlan(pay);
    ASSERT_TRUE(b.future.build(day(2024, 4, 30), false));
    OccurrencePosting part = b.posting(0, -4000, day(2024, 1, 20));
    ASSERT_FALSE(b.future.post(part).isEmpty());
    ASSERT_TRUE(b.future.build(day(2024, 3, 1), false));
    ASSERT_TRUE(b.future.build(day(2024, 4, 30), false));
}

bool mentions(const QStringList& problems, const QString& text)
{
    for (const QString& p : problems) {
        if (p.contains(text))
            return true;
    }
    return false;
}

// The stored entry of plan `id` dated `date` made current.
void seekEntry(PlanningTestBook& b, qint32 id, FileTime date)
{
    DbTable& s = b.tables().scheduled();
    for (qint64 p = 0; p < s.count(); ++p) {
        ASSERT_TRUE(s.moveTo(p));
        if (s.getInt(Prop::PlannerId) == id && s.getInt64(Prop::Date) == date)
            return;
    }
    FAIL() << "no entry of plan " << id;
}

}  // namespace

TEST(FutureListCheck, AListGrownShrunkAndPostedToHoldsItsInvariants)
{
    PlanningTestBook b;
    makeList(b);
    EXPECT_EQ(FutureListCheck(b.tables(), b.future).problems(), QStringList());
    EXPECT_TRUE(b.inWorkingSorts());
}

TEST(FutureListCheck, AMissingRowAWrongAmountAndAnExtraRowAreNamed)
{
    PlanningTestBook b;
    makeList(b);
    seekEntry(b, 1, day(2024, 2, 15));
    ASSERT_TRUE(b.tables().scheduled().deleteAt(b.tables().scheduled().position()));
    seekEntry(b, 1, day(2024, 1, 15));
    ASSERT_TRUE(b.tables().scheduled().setInt64(Prop::Amount, -10000));
    seekEntry(b, 2, day(2024, 2, 11));
    ASSERT_TRUE(b.tables().scheduled().setInt64(Prop::Date, day(2024, 2, 12)));

    const QStringList problems = FutureListCheck(b.tables(), b.future).problems();
    EXPECT_EQ(problems.size(), 4) << problems.join(QLatin1Char('\n')).toStdString();
    EXPECT_TRUE(mentions(problems, QStringLiteral("lacks occurrence ") + fullKey(1, day(2024, 2, 15))));
    EXPECT_TRUE(
        mentions(problems, fullKey(1, day(2024, 1, 15)) +
                               QStringLiteral(" holds -100.00 of -100.00 where -60.00 of -100.00 is open")));
    EXPECT_TRUE(mentions(problems, QStringLiteral("lacks occurrence ") + fullKey(2, day(2024, 2, 11))));
    EXPECT_TRUE(mentions(problems, fullKey(2, day(2024, 2, 12)) + QStringLiteral(" is no open occurrence")));
}

TEST(FutureListCheck, EntriesOfMissingOrStoppedPlansAndBadProjectKeysAreNamed)
{
    PlanningTestBook b;
    makeList(b);
    DbTable& s = b.tables().scheduled();
    seekEntry(b, 1, day(2024, 3, 15));
    ASSERT_TRUE(s.setText(Prop::ProjectKey, fullKey(PlanningTestBook::House, day(2024, 3, 16))));
    seekEntry(b, 2, day(2024, 1, 28));
    ASSERT_TRUE(s.setText(Prop::ProjectKey, fullKey(5, day(2024, 1, 28))));
    s.beginNew();
    ASSERT_TRUE(s.setInt(Prop::PlannerId, 9) && s.setInt64(Prop::Date, day(2024, 2, 1), true));
    DbTable& planner = b.tables().planner();
    ASSERT_TRUE(planner.seekInt(SeekKind::Equal, 2));
    ASSERT_TRUE(planner.setInt(Prop::Stopped, 1));

    const QStringList problems = FutureListCheck(b.tables(), b.future).problems();
    EXPECT_TRUE(mentions(problems, fullKey(9, day(2024, 2, 1)) +
                                       QStringLiteral(" names plan 9, which does not exist")));
    EXPECT_TRUE(mentions(problems, fullKey(2, day(2024, 1, 28)) +
                                       QStringLiteral(" belongs to plan 2, which is stopped")));
    EXPECT_TRUE(mentions(problems, fullKey(1, day(2024, 3, 15)) + QStringLiteral(" has project key '") +
                                       fullKey(PlanningTestBook::House, day(2024, 3, 16))));
    EXPECT_TRUE(mentions(problems, fullKey(2, day(2024, 1, 28)) + QStringLiteral(" has project key '") +
                                       fullKey(5, day(2024, 1, 28)) + QStringLiteral("' but no project")));
}

TEST(FutureListCheck, AHorizonInsideADayIsNamed)
{
    PlanningTestBook b;
    EXPECT_EQ(FutureListCheck(b.tables(), b.future).problems(0), QStringList());
    const QStringList problems = FutureListCheck(b.tables(), b.future).problems(day(2024, 3, 1, 12));
    ASSERT_EQ(problems.size(), 1);
    EXPECT_EQ(problems[0],
              QStringLiteral("the future-list horizon 2024-03-01T12:00:00.000 is not the end of a day"));
}
