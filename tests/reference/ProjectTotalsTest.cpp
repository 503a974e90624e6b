#include "reference/ProjectTotals.h"

#include "ProjectTotalsTestBook.h"

#include <gtest/gtest.h>

namespace {

using Row = std::vector<qint64>;
constexpr qint64 Max = ProjectTotalsTestBook::Max;
constexpr qint64 Min = std::numeric_limits<qint64>::min();
const QString Usd = QStringLiteral("USD");

class ProjectTotalsTest : public ::testing::Test {
protected:
    void SetUp() override { b.makeStandardBook(); }
    ProjectTotals& totals() { return b.totals; }

    ProjectTotalsTestBook b;
};

TEST_F(ProjectTotalsTest, ForeignPaymentsAreConvertedAndRiseThroughEveryAncestor)
{
    b.addTransaction(3, 10000, "USD");
    b.addTransaction(3, -3000, "EUR");
    ASSERT_TRUE(totals().updateStale(Usd, &b.ui));

    EXPECT_EQ(b.row(3), (Row{10000, 3300, 0, 0, 1}));
    EXPECT_EQ(b.row(2), (Row{0, 0, 10000, 3300, 1}));
    EXPECT_EQ(b.row(1), (Row{0, 0, 10000, 3300, 1}));
    EXPECT_EQ(b.row(6), (Row{0, 0, 0, 0, 1}));
    EXPECT_EQ(totals().totalsOf(2)->netTotal().hundredths(), 6700);
    // Unconverted, one pair of fields per currency number (USD 1, EUR 2).
    EXPECT_EQ(b.field(3, Prop::projectDepositsIn(1)), 10000);
    EXPECT_EQ(b.field(3, Prop::projectPaymentsIn(2)), 3000);
    EXPECT_FALSE(b.hasField(3, Prop::projectPaymentsIn(1)));
    EXPECT_FALSE(b.hasField(3, Prop::projectDepositsIn(2)));
    EXPECT_EQ(b.ui.statuses, QStringList{QStringLiteral("Update Projects...")});
}

TEST_F(ProjectTotalsTest, EachCurrencySumIsRoundedOnceBeforeTheTermsAreAdded)
{
    // 5 + 5 EUR hundredths at 1.1: 11, where converting each would give 6 + 6.
    b.addTransaction(3, 5, "EUR");
    b.addTransaction(3, 5, "EUR");
    b.addTransaction(3, -1, "EUR");
    ASSERT_TRUE(totals().updateStale(Usd));
    EXPECT_EQ(b.row(3), (Row{11, 1, 0, 0, 1}));
}

TEST_F(ProjectTotalsTest, AChangedAmountRecomputesOnlyItsProjectAndMovesAncestorsByTheDifference)
{
    const QString garden = b.addTransaction(3, 10000);
    b.addTransaction(4, 500);
    b.addTransaction(6, 200);
    ASSERT_TRUE(totals().updateStale(Usd));
    // A wrong sum under a valid flag shows whether a project was recomputed.
    ASSERT_TRUE(b.table().seekInt(SeekKind::Equal, 6) && b.table().setInt64(Prop::OwnDeposits, 999));

    b.setAmount(garden, 4000);
    ASSERT_TRUE(totals().markStale(3));
    EXPECT_EQ(b.row(3).back(), 0);
    ASSERT_TRUE(totals().updateStale(Usd));

    EXPECT_EQ(b.row(3), (Row{4000, 0, 500, 0, 1}));
    EXPECT_EQ(b.row(2), (Row{0, 0, 4500, 0, 1}));
    EXPECT_EQ(b.row(1), (Row{0, 0, 4700, 0, 1}));
    EXPECT_EQ(b.row(6)[0], 999);
}

TEST_F(ProjectTotalsTest, RecomputeReadsOnlyItsRunAndItsAncestorsWhateverElseTheBookHolds)
{
    const QString pond = b.addTransaction(4, 300);
    b.addTransaction(6, 100);
    ASSERT_TRUE(totals().updateStale(Usd));
    const auto readsFor = [&](qint64 amount) {
        b.setAmount(pond, amount);
        totals().resetRecordsRead();
        EXPECT_TRUE(totals().recompute(4, Usd));
        return totals().recordsRead();
    };
    const quint64 small = readsFor(400);
    for (int i = 0; i < 40; ++i)
        b.addTransaction(i % 2 ? 3 : 5, 100);  // runs before and after Pond's
    const quint64 large = readsFor(500);
    // Pond's one transaction, the key after its run; Pond, Garden, Home, the root.
    EXPECT_EQ(small, 6u);
    EXPECT_EQ(large, small);
    // Nobody marked Garden or Kitchen stale, so their new transactions are not counted yet.
    EXPECT_EQ(b.row(1), (Row{0, 0, 600, 0, 1}));
    EXPECT_EQ(b.row(3), (Row{0, 0, 500, 0, 1}));
}

TEST_F(ProjectTotalsTest, DeletingAProjectTakesItsSumsOutOfEveryAncestor)
{
    b.addTransaction(4, 500);
    b.addTransaction(4, -200);
    b.addTransaction(3, 1000);
    ASSERT_TRUE(totals().updateStale(Usd));
    ASSERT_EQ(b.row(1), (Row{0, 0, 1500, 200, 1}));

    b.ui.answer(true);
    ASSERT_EQ(b.projects.remove(4, b.ui), TreeTable::DeleteOutcome::Deleted);
    ASSERT_TRUE(totals().updateStale(Usd));

    EXPECT_EQ(b.row(3), (Row{1000, 0, 0, 0, 1}));
    EXPECT_EQ(b.row(2), (Row{0, 0, 1000, 0, 1}));
    EXPECT_EQ(b.row(1), (Row{0, 0, 1000, 0, 1}));
}

TEST_F(ProjectTotalsTest, AMovedProjectCountsUnderItsNewAncestorsAfterTheFullUpdate)
{
    b.addTransaction(3, 1000);
    b.addTransaction(4, 500);
    b.addTransaction(6, -70);
    ASSERT_TRUE(totals().updateStale(Usd));
    ASSERT_TRUE(b.projects.tree().setParent(3, 6));
    ASSERT_TRUE(totals().updateAll(Usd));

    EXPECT_EQ(b.row(2), (Row{0, 0, 0, 0, 1}));
    EXPECT_EQ(b.row(3), (Row{1000, 0, 500, 0, 1}));
    EXPECT_EQ(b.row(6), (Row{0, 70, 1500, 0, 1}));
    EXPECT_EQ(b.row(1), (Row{0, 0, 1500, 70, 1}));
}

TEST_F(ProjectTotalsTest, ReservedAccountsAndForeignKeysDoNotCount)
{
    for (qint32 id = 7; id <= 12; ++id)
        ASSERT_EQ(b.projects.create(6, QStringLiteral("P%1").arg(id)), id);
    b.addTransaction(1, 100);
    b.addTransaction(12, 1200);  // "12_" sorts before "1_"
    b.addTransaction(10, 1000);  // "10_" too
    b.addTransaction(3, 7, "USD", ReservedAccount::Holder);
    b.addTransaction(3, 9, "USD", ReservedAccount::PasswordLock);
    b.addMismatched(2, 3, 55);  // in Home's run, naming Garden: neither counts it
    for (const bool full : {false, true}) {
        SCOPED_TRACE(full ? "full" : "stale-only");
        b.setValid(1, 0);
        ASSERT_TRUE(full ? totals().updateAll(Usd) : totals().updateStale(Usd));
        EXPECT_EQ(b.row(1)[0], 100);
        EXPECT_EQ(b.row(12)[0], 1200);
        EXPECT_EQ(b.row(10)[0], 1000);
        EXPECT_EQ(b.row(2)[0], 0);
        EXPECT_EQ(b.row(3)[0], 0);
        EXPECT_EQ(b.row(6)[2], 2200);
    }
}

TEST_F(ProjectTotalsTest, AnUncachedCurrencyCountsAtRateOneWithoutAField)
{
    b.addTransaction(3, 1000, "XYZ");
    b.addTransaction(3, -500, "XYZ");
    b.addTransaction(3, 100, "EUR");
    ASSERT_TRUE(totals().updateStale(Usd));
    EXPECT_EQ(b.row(3), (Row{1110, 500, 0, 0, 1}));
    const ProjectTotalsRecord r = *totals().totalsOf(3);
    EXPECT_EQ(r.depositsByCurrency, (std::map<int, Money>{{2, Money::fromHundredths(100)}}));
    EXPECT_TRUE(r.paymentsByCurrency.empty());
}

TEST_F(ProjectTotalsTest, SumsSaturateInsteadOfWrapping)
{
    b.addTransaction(3, Max - 1);
    b.addTransaction(3, Max - 1);
    b.addTransaction(3, Min);
    b.addTransaction(4, Max, "EUR");
    for (const bool full : {false, true}) {
        SCOPED_TRACE(full ? "full" : "stale-only");
        ASSERT_TRUE(full ? totals().updateAll(Usd) : totals().updateStale(Usd));
        EXPECT_EQ(b.row(3), (Row{Max, Max, Max, 0, 1}));
        EXPECT_EQ(b.row(4), (Row{Max, 0, 0, 0, 1}));
        EXPECT_EQ(b.row(2), (Row{0, 0, Max, Max, 1}));
        EXPECT_EQ(totals().totalsOf(3)->netTotal().hundredths(), Max);
    }
}

TEST_F(ProjectTotalsTest, ParentLinksInACycleAreWalkedOnce)
{
    b.setParent(2, 4);  // Home > Garden > Pond > Home
    b.addTransaction(3, 1000);
    b.addTransaction(6, 10);
    ASSERT_TRUE(totals().updateStale(Usd));
    EXPECT_EQ(b.row(2)[2], 1000);
    EXPECT_EQ(b.row(4)[2], 1000);
    EXPECT_EQ(b.row(3)[2], 0);  // Garden itself is never its own ancestor
    EXPECT_EQ(b.row(1)[2], 10);
    const auto stale = b.snapshot();
    ASSERT_TRUE(totals().updateAll(Usd));
    EXPECT_EQ(b.snapshot(), stale);
}

TEST_F(ProjectTotalsTest, TheFullUpdateLeavesWhatRecomputingEveryProjectLeaves)
{
    const char* codes[] = {"USD", "EUR", "XYZ"};
    for (int i = 0; i < 60; ++i)
        b.addTransaction(1 + i % 6, (i % 3 == 0 ? -1 : 1) * (37 * i + 5), codes[i % 3], 1 + i % 4);
    b.setParent(6, 5);
    ASSERT_TRUE(totals().updateStale(Usd));
    const auto recomputed = b.snapshot();

    // Scribble over every total, with a stray field of an unused currency.
    for (qint32 id = 1; id <= 6; ++id) {
        ASSERT_TRUE(b.table().seekInt(SeekKind::Equal, id));
        ASSERT_TRUE(b.table().setInt64(Prop::OwnDeposits, 1) && b.table().setInt64(Prop::TreePayments, -4) &&
                    b.table().setInt64(Prop::projectDepositsIn(5), 9) &&
                    b.table().setInt(Prop::TotalsValid, id % 2));
    }
    ASSERT_TRUE(totals().updateAll(Usd));
    EXPECT_EQ(b.snapshot(), recomputed);
}

TEST_F(ProjectTotalsTest, AFieldGoesWhenItsCurrencySumBecomesZero)
{
    const QString eur = b.addTransaction(3, 100, "EUR");
    b.addTransaction(3, 200, "USD");
    ASSERT_TRUE(totals().updateStale(Usd));
    ASSERT_TRUE(b.hasField(3, Prop::projectDepositsIn(2)));
    b.setAmount(eur, 0);
    ASSERT_TRUE(totals().markStale(3));
    ASSERT_TRUE(totals().updateStale(Usd));
    EXPECT_FALSE(b.hasField(3, Prop::projectDepositsIn(2)));
    EXPECT_EQ(b.field(3, Prop::projectDepositsIn(1)), 200);
    EXPECT_EQ(b.row(3)[0], 200);
}

TEST_F(ProjectTotalsTest, BothUpdatesMakeTheRootWhenItIsMissing)
{
    for (const bool full : {false, true}) {
        SCOPED_TRACE(full ? "full" : "stale-only");
        ASSERT_TRUE(b.table().seekInt(SeekKind::Equal, 1));
        ASSERT_TRUE(b.table().deleteAt(b.table().position()));
        const quint64 before = b.projects.changeCount();
        ASSERT_TRUE(full ? totals().updateAll(Usd) : totals().updateStale(Usd));
        const std::optional<TreeRecord> root = b.projects.tree().record(1);
        ASSERT_TRUE(root.has_value());
        EXPECT_EQ(root->name, QStringLiteral("All projects"));
        EXPECT_EQ(root->parent, 0);
        EXPECT_GT(b.projects.changeCount(), before);
    }
}

TEST_F(ProjectTotalsTest, AFailedWriteLeavesTheBookAsItWas)
{
    b.addTransaction(4, 500);
    b.addTransaction(3, -20, "EUR");
    for (const bool full : {false, true}) {
        // The full update writes each changed project once (four here); every count
        // below that fails part-way.
        for (int allowed : {0, 1, 2, 3}) {
            SCOPED_TRACE(testing::Message() << (full ? "full" : "stale-only") << " after " << allowed);
            const auto before = b.snapshot();
            int writes = 0;
            b.book.store().setWriteFault([&] { return writes++ >= allowed; });
            EXPECT_FALSE(full ? totals().updateAll(Usd) : totals().updateStale(Usd));
            b.book.store().setWriteFault({});
            EXPECT_EQ(b.snapshot(), before);
        }
    }
    ASSERT_TRUE(totals().updateStale(Usd));
    EXPECT_EQ(b.row(2), (Row{0, 0, 500, 22, 1}));
}

struct StaleCase {
    const char* what;
    qint32 id;
    qint32 validBefore;  // -1: leave the record as made
    qint32 validAfter;   // of project 3, which the cases never name but the first
};

TEST_F(ProjectTotalsTest, MarkStaleClearsOnlyAValidFlag)
{
    ASSERT_TRUE(totals().updateStale(Usd));
    const StaleCase cases[] = {
        {"a valid project", 3, 1, 0}, {"an already stale one", 3, 0, 0}, {"no project", 0, 1, 1},
        {"a negative id", -3, 1, 1},  {"a missing project", 99, 1, 1},
    };
    for (const StaleCase& c : cases) {
        SCOPED_TRACE(c.what);
        b.setValid(3, c.validBefore);
        EXPECT_TRUE(totals().markStale(c.id));
        EXPECT_EQ(b.row(3).back(), c.validAfter);
    }
    b.setValid(3, 1);
    b.book.store().setWriteFault([] { return true; });
    EXPECT_FALSE(totals().markStale(3));
    b.book.store().setWriteFault({});
}

TEST_F(ProjectTotalsTest, RecomputingAMissingProjectFails)
{
    EXPECT_FALSE(totals().recompute(99, Usd));
    EXPECT_FALSE(totals().totalsOf(99).has_value());
}

TEST_F(ProjectTotalsTest, SharedCursorsKeepTheirSortOrders)
{
    b.addTransaction(3, 100);
    b.addScheduled(3, when(2003, 12, 6), 5);
    DbTable& transactions = b.tables().transactions();
    DbTable& scheduled = b.tables().scheduled();
    const quint16 transactionSort = transactions.sortId();
    const quint16 scheduledSort = scheduled.sortId();
    ASSERT_TRUE(totals().updateStale(Usd));
    ASSERT_TRUE(totals().recompute(3, Usd));
    ASSERT_TRUE(totals().updateAll(Usd));
    (void)totals().scheduledSums(3, when(2004, 1, 1), Usd);
    EXPECT_EQ(transactions.sortId(), transactionSort);
    EXPECT_EQ(scheduled.sortId(), scheduledSort);
    EXPECT_EQ(b.table().sortId(), Prop::ProjectId);
}

TEST_F(ProjectTotalsTest, ScheduledSumsCountEntriesUpToTheHorizonEachConvertedAlone)
{
    const FileTime horizon = when(2003, 12, 31, 23, 59);
    b.addScheduled(3, when(2003, 12, 1), -1000);
    b.addScheduled(3, when(2003, 12, 10), 5, "EUR");
    b.addScheduled(3, when(2003, 12, 11), 5, "EUR");
    b.addScheduled(3, horizon, -7);
    b.addScheduled(3, when(2004, 1, 5), -5000);
    b.addScheduled(4, when(2003, 12, 2), -300);
    b.addScheduled(12, when(2003, 12, 2), -1200);

    const ProjectTotalsScheduled sums = totals().scheduledSums(3, horizon, Usd);
    EXPECT_EQ(sums.inDefault.hundredths(), -1000 + 6 + 6 - 7);
    ASSERT_EQ(sums.byCurrency.size(), 2u);
    EXPECT_EQ(sums.byCurrency[0].code, Usd);
    EXPECT_EQ(sums.byCurrency[0].amount.hundredths(), -1007);
    EXPECT_EQ(sums.byCurrency[1].code, QStringLiteral("EUR"));
    EXPECT_EQ(sums.byCurrency[1].amount.hundredths(), 10);
    EXPECT_EQ(sums.entries, 4);
    EXPECT_EQ(totals().scheduledSums(5, horizon, Usd).entries, 0);
    EXPECT_EQ(totals().scheduledSums(1, horizon, Usd).entries, 0);
}

}  // namespace
