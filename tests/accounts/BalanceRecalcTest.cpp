#include "accounts/BalanceRecalc.h"

#include "AccountTestBook.h"
#include "support/ScriptedInteraction.h"

#include <vector>

namespace {

struct RunCase {
    const char* name;
    std::vector<qint64> amounts;
    std::vector<qint64> stored;  // the damaged running balances found in the book
    qint64 firstIndex;
    std::vector<qint64> expected;
    qint64 total;
};

class BalanceRecalcRunTest : public ::testing::TestWithParam<RunCase> {};

TEST_P(BalanceRecalcRunTest, RewritesTheRunFromTheIndexOn)
{
    const RunCase& c = GetParam();
    AccountTestBook book;
    book.addAccount(1, QStringLiteral("A"), 777);
    std::vector<QString> keys;
    for (size_t i = 0; i < c.amounts.size(); ++i)
        keys.push_back(book.addTransaction(
            RawTransaction::of(1, AccountTestBook::at(static_cast<int>(i) + 1), c.amounts[i], c.stored[i])));
    const std::optional<Money> total = BalanceRecalc(book.tables()).recalc(1, c.firstIndex);
    ASSERT_TRUE(total);
    EXPECT_EQ(total->hundredths(), c.total);
    EXPECT_EQ(book.accountTotal(1), c.total);
    for (size_t i = 0; i < keys.size(); ++i)
        EXPECT_EQ(book.balanceOf(keys[i]), c.expected[i]) << "transaction " << i;
}

INSTANTIATE_TEST_SUITE_P(
    Runs, BalanceRecalcRunTest,
    ::testing::Values(RunCase{"NoTransactions", {}, {}, -1, {}, 0},
                      RunCase{"WholeRun", {100, -30, 0, 5}, {0, 0, 0, 0}, -1, {100, 70, 70, 75}, 75},
                      // From the middle the balance before the start is taken as it stands, right or not.
                      RunCase{
                          "FromMiddleKeepsEarlierValues", {100, -30, 5}, {1, 2, 3}, 1, {1, -29, -24}, -24},
                      RunCase{"IndexBeyondRunTakesLastBalance", {100, -30}, {100, 9}, 5, {100, 9}, 9},
                      RunCase{"NegativeRun", {-5, -5}, {0, 0}, 0, {-5, -10}, -10}),
    [](const auto& param_info) { return std::string(param_info.param.name); });

TEST(BalanceRecalcTest, NeighbouringAccountsWhoseKeysSortInsideAreUntouched)
{
    // "10_..." sorts before "1_..." and "2_..." after: the run is told by the account id.
    AccountTestBook book;
    book.addAccount(1, QStringLiteral("One"));
    book.addAccount(10, QStringLiteral("Ten"));
    book.addAccount(2, QStringLiteral("Two"));
    const QString ten = book.addTransaction(RawTransaction::of(10, AccountTestBook::at(1), 50, 3));
    const QString one = book.addTransaction(RawTransaction::of(1, AccountTestBook::at(2), 20, 3));
    const QString two = book.addTransaction(RawTransaction::of(2, AccountTestBook::at(3), 40, 3));
    ASSERT_EQ(BalanceRecalc(book.tables()).recalc(1)->hundredths(), 20);
    EXPECT_EQ(book.balanceOf(one), 20);
    EXPECT_EQ(book.balanceOf(ten), 3);
    EXPECT_EQ(book.balanceOf(two), 3);
    EXPECT_EQ(book.accountTotal(10), 0);
}

TEST(BalanceRecalcTest, MissingAccountRecordGivesNothing)
{
    AccountTestBook book;
    book.addTransaction(RawTransaction::of(4, AccountTestBook::at(1), 50, 3));
    EXPECT_FALSE(BalanceRecalc(book.tables()).recalc(4));
}

TEST(BalanceRecalcTest, AllAccountsAreRecalculated)
{
    AccountTestBook book;
    book.addAccount(1, QStringLiteral("One"), 5);
    book.addAccount(2, QStringLiteral("Two"), 5);
    book.addAccount(3, QStringLiteral("Empty"), 5);
    const QString a = book.addTransaction(RawTransaction::of(1, AccountTestBook::at(1), 10));
    const QString b = book.addTransaction(RawTransaction::of(2, AccountTestBook::at(1), -10));
    EXPECT_TRUE(BalanceRecalc(book.tables()).recalcAll());
    EXPECT_EQ(book.balanceOf(a), 10);
    EXPECT_EQ(book.balanceOf(b), -10);
    EXPECT_EQ(book.accountTotal(1), 10);
    EXPECT_EQ(book.accountTotal(2), -10);
    EXPECT_EQ(book.accountTotal(3), 0);
}

TEST(BalanceRecalcTest, StopEndsTheRunBetweenAccountsAndKeepsTheOnesDone)
{
    AccountTestBook book;
    book.addAccount(1, QStringLiteral("One"), 5);
    book.addAccount(2, QStringLiteral("Two"), 5);
    const QString a = book.addTransaction(RawTransaction::of(1, AccountTestBook::at(1), 10, 99));
    const QString b = book.addTransaction(RawTransaction::of(2, AccountTestBook::at(1), -10, 99));
    ScriptedInteraction ui;
    ui.stopAfterSteps(1);
    EXPECT_EQ(BalanceRecalc(book.tables()).recalcAll(ui), BalanceRecalc::AllOutcome::Stopped);
    EXPECT_EQ(ui.progressLabels, QStringList{QStringLiteral("Recalc Balance...")});
    EXPECT_EQ(ui.progressSteps, 2);
    EXPECT_EQ(ui.progressDone, 1);
    EXPECT_EQ(book.balanceOf(a), 10);
    EXPECT_EQ(book.accountTotal(1), 10);
    EXPECT_EQ(book.balanceOf(b), 99);
    EXPECT_EQ(book.accountTotal(2), 5);

    ScriptedInteraction quiet;
    EXPECT_EQ(BalanceRecalc(book.tables()).recalcAll(quiet), BalanceRecalc::AllOutcome::Done);
    EXPECT_EQ(quiet.progressDone, 2);
    EXPECT_EQ(book.balanceOf(b), -10);
}

TEST(BalanceRecalcTest, FailedWriteChangesNothing)
{
    AccountTestBook book;
    book.addAccount(1, QStringLiteral("One"), 5);
    const QString a = book.addTransaction(RawTransaction::of(1, AccountTestBook::at(1), 10, 1));
    const QString b = book.addTransaction(RawTransaction::of(1, AccountTestBook::at(2), 10, 2));
    int writes = 0;
    book.store().setWriteFault([&writes] { return ++writes > 1; });
    EXPECT_FALSE(BalanceRecalc(book.tables()).recalc(1));
    book.store().setWriteFault({});
    EXPECT_EQ(book.balanceOf(a), 1);
    EXPECT_EQ(book.balanceOf(b), 2);
    EXPECT_EQ(book.accountTotal(1), 5);
}

TEST(BalanceRecalcTest, CursorKeepsItsOrder)
{
    AccountTestBook book;
    book.addAccount(1, QStringLiteral("One"));
    DbTable& t = book.tables().transactions();
    ASSERT_TRUE(t.resortByText(Prop::PlannerKey));
    BalanceRecalc(book.tables()).recalc(1);
    EXPECT_EQ(t.sortId(), Prop::PlannerKey);
}

}  // namespace
