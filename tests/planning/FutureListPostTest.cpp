#include "planning/FutureList.h"

#include "planning/PlanningTestBook.h"

#include <gtest/gtest.h>

namespace {

using R = RecurrenceRule;

PlanSpec monthly(qint32 id, qint32 entries, qint64 amount = -10000)
{
    PlanSpec p;
    p.id = id;
    p.start = day(2024, 1, 15);
    p.rule = R::Monthly;
    p.entries = entries;
    p.amount = amount;
    return p;
}

// Far from every posting date, so no posting counts as "today".
const FileTime Now = day(2030, 6, 1, 12);

OccurrencePosting at(PlanningTestBook& b, qint64 position, qint64 amount,
                     FileTime date = day(2024, 1, 20, 12), qint32 account = PlanningTestBook::Cash)
{
    OccurrencePosting p = b.posting(position, amount, date, account);
    p.now = Now;
    return p;
}

}  // namespace

TEST(FutureListPost, HalfAPostingLeavesTheOtherHalfAndTheRestEndsTheOccurrence)
{
    PlanningTestBook b;
    b.addPlan(monthly(1, 3));
    ASSERT_TRUE(b.future.build(day(2024, 1, 31), false));
    const quint64 version = b.future.changeCount();

    const QString first = b.future.post(at(b, 0, -5000));
    EXPECT_GT(b.future.changeCount(), version);  // the prognosis must be recomputed
    ASSERT_FALSE(first.isEmpty());
    EXPECT_EQ(b.listed(),
              (std::vector<ExpectedOccurrence>{{1, day(2024, 1, 15), money(-5000), money(-10000)}}));
    ASSERT_TRUE(b.seekTransaction(first));
    EXPECT_EQ(b.tables().transactions().getInt64(Prop::PartialPosting), 1);
    EXPECT_EQ(b.plan(1)->completed, 0);

    const QString rest = b.future.post(at(b, 0, -5000, day(2024, 1, 25, 12)));
    ASSERT_FALSE(rest.isEmpty());
    EXPECT_EQ(b.future.count(), 0);
    ASSERT_TRUE(b.seekTransaction(rest));
    EXPECT_EQ(b.tables().transactions().getInt64(Prop::PartialPosting), 0);
    EXPECT_EQ(b.plan(1)->completed, 1);
    EXPECT_EQ(b.plan(1)->nextDate, day(2024, 2, 15));
    EXPECT_FALSE(b.plan(1)->stopped);

    // A rebuild agrees that the occurrence is done.
    ASSERT_TRUE(b.future.build(day(2024, 2, 20), true));
    EXPECT_EQ(b.listedDates(), (std::vector<FileTime>{day(2024, 2, 15)}));
}

TEST(FutureListPost, APostingAgainstTheOccurrencesSignIsRefused)
{
    const struct {
        qint64 planned;
        qint64 posted;
    } cases[] = {{-10000, 3000}, {10000, -3000}, {-10000, 10000}};
    for (const auto& c : cases) {
        PlanningTestBook b;
        b.addPlan(monthly(1, 3, c.planned));
        ASSERT_TRUE(b.future.build(day(2024, 1, 31), false));
        const qint64 before = b.tables().transactions().count();
        EXPECT_TRUE(b.future.post(at(b, 0, c.posted)).isEmpty()) << c.planned << " " << c.posted;
        EXPECT_EQ(b.tables().transactions().count(), before);
        EXPECT_EQ(b.listed(),
                  (std::vector<ExpectedOccurrence>{{1, day(2024, 1, 15), money(c.planned), money(0)}}));
        EXPECT_EQ(b.plan(1)->completed, 0);
    }
}

TEST(FutureListPost, PostingMoreThanIsOpenEndsTheOccurrence)
{
    PlanningTestBook b;
    b.addPlan(monthly(1, R::Ongoing, 10000));  // a deposit
    ASSERT_TRUE(b.future.build(day(2024, 1, 31), false));
    ASSERT_FALSE(b.future.post(at(b, 0, 12000)).isEmpty());
    EXPECT_EQ(b.future.count(), 0);
    EXPECT_EQ(b.plan(1)->completed, 1);
}

TEST(FutureListPost, TheTransactionCarriesTheOccurrenceAndThePlansFields)
{
    PlanningTestBook b;
    PlanSpec p = monthly(1, R::Ongoing);
    p.description = QStringLiteral("Rent {month}");
    p.note = QStringLiteral("flat {year}");
    p.number = QStringLiteral("1042");
    p.contact = QStringLiteral("Landlord");
    p.mark = ReconcileMark::Cleared;
    p.category = PlanningTestBook::RentCategory;
    p.project = PlanningTestBook::House;
    b.addPlan(p);
    ASSERT_TRUE(b.future.build(day(2024, 1, 31), false));

    const QString key = b.future.post(at(b, 0, -10000, day(2024, 1, 20, 12)));
    const FileTime date = addMilliseconds(day(2024, 1, 20, 12), 1);
    EXPECT_EQ(key, fullKey(PlanningTestBook::Cash, date));
    ASSERT_TRUE(b.seekTransaction(key));
    const DbTable& t = b.tables().transactions();
    EXPECT_EQ(t.getInt(Prop::AccountId), PlanningTestBook::Cash);
    EXPECT_EQ(t.getInt64(Prop::Date), date);
    EXPECT_EQ(t.getText(Prop::PlannerKey), fullKey(1, day(2024, 1, 15)));
    EXPECT_EQ(t.getInt(Prop::PlannerId), 1);
    EXPECT_EQ(t.getInt64(Prop::PlannedDate), day(2024, 1, 15));
    EXPECT_EQ(t.getInt64(Prop::PostedAmount), -10000);
    EXPECT_EQ(t.getInt64(Prop::PartialPosting), 0);
    EXPECT_EQ(t.getText(Prop::Name), QStringLiteral("Rent January"));
    EXPECT_EQ(t.getInt64(Prop::Amount), -10000);
    EXPECT_EQ(t.getText(Prop::CurrencyCode), QStringLiteral("USD"));
    EXPECT_EQ(t.getInt(Prop::Mark), 1);
    EXPECT_EQ(t.getInt(Prop::CategoryId), PlanningTestBook::RentCategory);
    EXPECT_EQ(t.getInt(Prop::ProjectId), PlanningTestBook::House);
    EXPECT_EQ(t.getText(Prop::ProjectKey), fullKey(PlanningTestBook::House, date));
    EXPECT_EQ(t.getText(Prop::Number), QStringLiteral("1042"));
    EXPECT_EQ(t.getText(Prop::Contact), QStringLiteral("Landlord"));
    EXPECT_EQ(t.getText(Prop::Note), QStringLiteral("flat 2024"));  // expanded, as the description
    EXPECT_TRUE(t.has(Prop::Balance));
    EXPECT_EQ(t.getInt64(Prop::Balance), 0);
    for (const quint16 id : {Prop::ForeignAmount, Prop::ForeignCurrency, Prop::ForeignRate})
        EXPECT_FALSE(t.has(id)) << id;
    EXPECT_TRUE(b.inWorkingSorts());
}

TEST(FutureListPost, AForeignPostingRecordsThePlannedAmountItsCurrencyAndTheRate)
{
    PlanningTestBook b;
    PlanSpec p = monthly(1, R::Ongoing);
    p.currency = QStringLiteral("EUR");
    b.addPlan(p);
    ASSERT_TRUE(b.future.build(day(2024, 1, 31), false));

    OccurrencePosting part = at(b, 0, -11000);
    part.entryAmount = money(-4000);
    const QString partKey = b.future.post(part);
    ASSERT_TRUE(b.seekTransaction(partKey));
    const DbTable& t = b.tables().transactions();
    EXPECT_EQ(t.getInt64(Prop::Amount), -11000);
    EXPECT_EQ(t.getInt64(Prop::PostedAmount), -4000);
    EXPECT_EQ(t.getInt64(Prop::ForeignAmount), 4000);
    EXPECT_EQ(t.getText(Prop::ForeignCurrency), QStringLiteral("EUR"));
    EXPECT_EQ(t.getText(Prop::ForeignRate), QStringLiteral("2.75"));
    EXPECT_EQ(b.listed(),
              (std::vector<ExpectedOccurrence>{{1, day(2024, 1, 15), money(-6000), money(-10000)}}));

    // Nothing planned in a posting of 0: no rate can be derived from it.
    OccurrencePosting nothing = at(b, 0, -500, day(2024, 1, 21, 12));
    nothing.entryAmount = money(0);
    const QString zeroKey = b.future.post(nothing);
    ASSERT_TRUE(b.seekTransaction(zeroKey));
    EXPECT_EQ(t.getText(Prop::ForeignRate), QStringLiteral("0.00"));
    EXPECT_EQ(t.getInt64(Prop::ForeignAmount), 0);
    EXPECT_EQ(t.getInt64(Prop::PartialPosting), 1);
    EXPECT_EQ(b.listed(),
              (std::vector<ExpectedOccurrence>{{1, day(2024, 1, 15), money(-6000), money(-10000)}}));
}

TEST(FutureListPost, DismissingToTheHolderAdvancesThePlanAsAPostingDoes)
{
    PlanningTestBook b;
    PlanSpec posted = monthly(1, 3);
    posted.project = PlanningTestBook::House;
    b.addPlan(posted);
    PlanSpec dismissed = posted;
    dismissed.id = 2;
    b.addPlan(dismissed);
    ASSERT_TRUE(b.future.build(day(2024, 1, 31), false));
    ASSERT_EQ(b.future.count(), 2);

    ASSERT_FALSE(b.future.post(at(b, 0, -10000)).isEmpty());
    const QString holderKey = b.future.post(at(b, 0, -10000, day(2024, 1, 20, 12), ReservedAccount::Holder));
    ASSERT_FALSE(holderKey.isEmpty());
    EXPECT_EQ(b.future.count(), 0);
    for (const qint32 id : {1, 2}) {
        EXPECT_EQ(b.plan(id)->completed, 1) << id;
        EXPECT_EQ(b.plan(id)->nextDate, day(2024, 2, 15)) << id;
    }
    ASSERT_TRUE(b.seekTransaction(holderKey));
    EXPECT_EQ(b.tables().transactions().getInt(Prop::AccountId), ReservedAccount::Holder);
    EXPECT_EQ(b.tables().transactions().getInt(Prop::ProjectId), PlanningTestBook::House);
    EXPECT_FALSE(b.tables().transactions().has(Prop::ProjectKey));
}

TEST(FutureListPost, WithoutTheEntryOrItsPlanNothingIsWritten)
{
    PlanningTestBook b;
    b.addPlan(monthly(1, R::Ongoing));
    ASSERT_TRUE(b.future.build(day(2024, 1, 31), false));
    ASSERT_TRUE(b.future.entryAt(0).has_value());
    EXPECT_FALSE(b.future.entryAt(1).has_value());
    EXPECT_TRUE(b.future.post(at(b, 1, -10000)).isEmpty());
    EXPECT_TRUE(b.future.post(at(b, -1, -10000)).isEmpty());

    DbTable& planner = b.tables().planner();
    ASSERT_TRUE(planner.seekInt(SeekKind::Equal, 1));
    ASSERT_TRUE(planner.deleteAt(planner.position()));
    const quint64 version = b.future.changeCount();
    EXPECT_TRUE(b.future.post(at(b, 0, -10000)).isEmpty());
    EXPECT_EQ(b.transactionCount(), 0);
    EXPECT_EQ(b.listed(), (std::vector<ExpectedOccurrence>{{1, day(2024, 1, 15), money(-10000), money(0)}}));
    EXPECT_EQ(b.future.changeCount(), version);
    EXPECT_TRUE(b.inWorkingSorts());
}

TEST(FutureListPost, AFailedWriteWritesNothing)
{
    PlanningTestBook b;
    b.addPlan(monthly(1, 1));
    ASSERT_TRUE(b.future.build(day(2024, 1, 31), false));
    int writes = 0;
    // The transaction goes in; the entry's removal or the plan's end fails.
    b.store().setWriteFault([&] { return ++writes > 1; });
    EXPECT_TRUE(b.future.post(at(b, 0, -10000)).isEmpty());
    b.store().setWriteFault({});
    EXPECT_EQ(b.transactionCount(), 0);
    EXPECT_EQ(b.future.count(), 1);
    EXPECT_TRUE(b.plan(1).has_value());
}

TEST(FutureListPost, AFinishedPlanOfOneEntryIsDeletedAndAnyOtherStopped)
{
    PlanningTestBook b;
    PlanSpec once = monthly(1, 1);
    once.rule = R::OnlyOnce;
    b.addPlan(once);
    b.addPlan(monthly(2, 2));
    ASSERT_TRUE(b.future.build(day(2024, 2, 20), false));
    ASSERT_EQ(b.future.count(), 3);  // 15 Jan once, 15 Jan and 15 Feb monthly

    for (int i = 0; i < 3; ++i)
        ASSERT_FALSE(b.future.post(at(b, 0, -10000, day(2024, 2, 20 + i, 12))).isEmpty()) << i;
    EXPECT_FALSE(b.plan(1).has_value());
    ASSERT_TRUE(b.plan(2).has_value());
    EXPECT_TRUE(b.plan(2)->stopped);
    EXPECT_EQ(b.plan(2)->completed, 2);
    ASSERT_TRUE(b.future.build(day(2024, 12, 31), true));
    EXPECT_EQ(b.future.count(), 0);
}

TEST(FutureListPost, AnOccurrencePostedAheadCountsOnceTheOnesBeforeItAreDone)
{
    PlanningTestBook b;
    b.addPlan(monthly(1, 3));
    ASSERT_TRUE(b.future.build(day(2024, 3, 31), false));
    ASSERT_FALSE(b.future.post(at(b, 1, -10000)).isEmpty());  // February first
    EXPECT_EQ(b.plan(1)->completed, 0);
    EXPECT_EQ(b.plan(1)->nextDate, day(2024, 1, 15));

    ASSERT_FALSE(b.future.post(at(b, 0, -10000, day(2024, 1, 21, 12))).isEmpty());
    EXPECT_EQ(b.plan(1)->completed, 2);
    EXPECT_EQ(b.plan(1)->nextDate, day(2024, 3, 15));
    EXPECT_EQ(b.listedDates(), (std::vector<FileTime>{day(2024, 3, 15)}));
}

TEST(FutureListPost, ThePostedProjectIsMarkedStale)
{
    PlanningTestBook b;
    PlanSpec p = monthly(1, R::Ongoing);
    p.project = PlanningTestBook::House;
    b.addPlan(p);
    DbTable& projects = b.tables().projects();
    ASSERT_TRUE(projects.seekInt(SeekKind::Equal, PlanningTestBook::House));
    ASSERT_TRUE(projects.setInt(Prop::TotalsValid, 1));
    ASSERT_TRUE(b.future.build(day(2024, 1, 31), false));
    ASSERT_FALSE(b.future.post(at(b, 0, -10000)).isEmpty());
    ASSERT_TRUE(projects.seekInt(SeekKind::Equal, PlanningTestBook::House));
    EXPECT_EQ(projects.getInt(Prop::TotalsValid), 0);
}

TEST(FutureListPost, TheKeyFollowsTheUniqueKeyRule)
{
    PlanningTestBook b;
    b.addPlan(monthly(1, R::Ongoing));
    ASSERT_TRUE(b.future.build(day(2024, 3, 31), false));
    b.addPosting(9, day(2024, 1, 20, 18), -1, false);  // another transaction later that day

    OccurrencePosting sameDay = at(b, 0, -10000, day(2024, 1, 20, 9));
    EXPECT_EQ(b.future.post(sameDay),
              fullKey(PlanningTestBook::Cash, addMilliseconds(day(2024, 1, 20, 18), 1)));

    OccurrencePosting today = at(b, 0, -10000, day(2024, 2, 27, 0));
    today.now = day(2024, 2, 27, 15, 30);
    EXPECT_EQ(b.future.post(today), fullKey(PlanningTestBook::Cash, addMilliseconds(today.now, 1)));

    EXPECT_TRUE(b.future.post(at(b, 0, -10000, day(2024, 1, 20), 0)).isEmpty());  // no such account id
}

TEST(FutureListComplete, ARuleThatRepeatsItsDateEndsAfterItsOneOccurrence)
{
    PlanningTestBook b;
    PlanSpec p = monthly(1, R::Ongoing);
    p.rule = R::OnlyOnce;
    b.addPlan(p);
    b.addPosting(1, day(2024, 1, 15), -10000, false);
    ASSERT_TRUE(b.future.completeOccurrences(1));
    ASSERT_TRUE(b.plan(1).has_value());  // not a plan of one entry
    EXPECT_TRUE(b.plan(1)->stopped);
    EXPECT_EQ(b.plan(1)->completed, 1);
}

TEST(FutureListComplete, NothingPostedOrAStoppedPlanChangesNothing)
{
    PlanningTestBook b;
    b.addPlan(monthly(1, 3));
    PlanSpec stopped = monthly(2, 3);
    stopped.stopped = true;
    b.addPlan(stopped);
    b.addPosting(2, day(2024, 1, 15), -10000, false);
    b.addPosting(1, day(2024, 1, 15), -5000, true);
    EXPECT_TRUE(b.future.completeOccurrences(1));
    EXPECT_TRUE(b.future.completeOccurrences(2));
    EXPECT_TRUE(b.future.completeOccurrences(7));  // no such plan
    EXPECT_EQ(b.plan(1)->completed, 0);
    EXPECT_EQ(b.plan(2)->completed, 0);
}
