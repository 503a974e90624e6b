#include "accounts/Register.h"

#include "AccountTestBook.h"

namespace {

class RegisterTest : public ::testing::Test {
protected:
    RegisterTest()
    {
        m_book.currencies().registerCurrency(QStringLiteral("USD"), QStringLiteral("$"), QStringLiteral("US Dollar"));
        m_book.addAccount(1, QStringLiteral("Cash"), -150);
        m_book.addAccount(10, QStringLiteral("Ten"), 5);
        m_book.addAccount(2, QStringLiteral("Two"), 0);
        m_keys.push_back(m_book.addTransaction(RawTransaction::of(1, AccountTestBook::at(1), 100, 100)));
        m_keys.push_back(m_book.addTransaction(RawTransaction::of(1, AccountTestBook::at(2), 0, 100)));
        m_keys.push_back(m_book.addTransaction(RawTransaction::of(1, AccountTestBook::at(3), -250, -150)));
        m_book.addTransaction(RawTransaction::of(10, AccountTestBook::at(1), 5, 5));
    }
    Register make() { return Register(m_book.tables(), m_book.currencies(), m_locale); }

    AccountTestBook m_book;
    LocaleValues m_locale;
    std::vector<QString> m_keys;
};

TEST_F(RegisterTest, RowsAreTransactionsThenTheNewRow)
{
    Register reg = make();
    ASSERT_TRUE(reg.select(1));
    EXPECT_EQ(reg.transactionCount(), 3);
    EXPECT_EQ(reg.rowCount(), 4);
    using K = Register::RowKind;
    const std::vector<std::pair<qint64, K>> kinds = {
        {-1, K::Outside}, {0, K::Transaction}, {2, K::Transaction}, {3, K::NewTransaction}, {4, K::Outside}};
    for (const auto& [row, kind] : kinds)
        EXPECT_EQ(reg.rowKind(row), kind) << row;
    EXPECT_EQ(reg.entry(0)->key, m_keys[0]);
    EXPECT_EQ(reg.entry(2)->key, m_keys[2]);
    EXPECT_FALSE(reg.entry(3));
}

TEST_F(RegisterTest, AccountWithoutTransactionsHasOnlyTheNewRow)
{
    Register reg = make();
    ASSERT_TRUE(reg.select(2));
    EXPECT_EQ(reg.transactionCount(), 0);
    EXPECT_EQ(reg.rowCount(), 1);
    EXPECT_EQ(reg.rowKind(0), Register::RowKind::NewTransaction);
}

TEST_F(RegisterTest, SelectingAMissingAccountKeepsTheShownOne)
{
    Register reg = make();
    ASSERT_TRUE(reg.select(10));
    EXPECT_FALSE(reg.select(3));
    EXPECT_EQ(reg.accountId(), 10);
    EXPECT_EQ(reg.transactionCount(), 1);
    Register none = make();
    EXPECT_EQ(none.rowCount(), 0);
}

TEST_F(RegisterTest, CellsOfTransactionRows)
{
    Register reg = make();
    ASSERT_TRUE(reg.select(1));
    const FileTime now = *fileTimeFromLocal(AccountTestBook::at(9));
    const RegisterCells deposit = reg.cells(0, now);
    EXPECT_EQ(deposit.date, QStringLiteral("Fri, 3/1/2024"));
    EXPECT_EQ(deposit.deposit, QStringLiteral("$1.00"));
    EXPECT_EQ(deposit.payment, QString());
    EXPECT_EQ(deposit.balance, QStringLiteral("$1.00"));
    EXPECT_TRUE(deposit.band);
    EXPECT_EQ(deposit.icon, RegisterCells::Icon::Unreconciled);
    // Zero is shown as a deposit.
    const RegisterCells zero = reg.cells(1, now);
    EXPECT_EQ(zero.deposit, QStringLiteral("$0.00"));
    EXPECT_EQ(zero.payment, QString());
    EXPECT_FALSE(zero.band);
    const RegisterCells payment = reg.cells(2, now);
    EXPECT_EQ(payment.deposit, QString());
    EXPECT_EQ(payment.payment, QStringLiteral("$2.50"));
    EXPECT_EQ(payment.amount, QStringLiteral("$-2.50"));
    EXPECT_EQ(payment.balance, QStringLiteral("$-1.50"));
    EXPECT_TRUE(payment.negativeBalance);
    EXPECT_FALSE(deposit.negativeBalance);
}

TEST_F(RegisterTest, NewRowShowsTodayAndItsText)
{
    Register reg = make();
    ASSERT_TRUE(reg.select(1));
    const RegisterCells c = reg.cells(3, *fileTimeFromLocal(AccountTestBook::at(9)));
    EXPECT_EQ(c.style, RegisterCells::Style::NewRow);
    EXPECT_EQ(c.date, QStringLiteral("Sat, 3/9/2024"));
    EXPECT_EQ(c.text(RegisterColumn::Description), QStringLiteral("<_New_Transaction_>"));
    EXPECT_EQ(c.icon, RegisterCells::Icon::None);
    EXPECT_EQ(c.balance, QString());
}

TEST_F(RegisterTest, ColumnSetsAndHeadings)
{
    QStringList full;
    for (RegisterColumn c : Register::columns(false))
        full << Register::heading(c);
    EXPECT_EQ(full, (QStringList{"", "Date", "No", "Description", "Deposit", "Payment", "Balance"}));
    QStringList panel;
    for (RegisterColumn c : Register::columns(true))
        panel << Register::heading(c);
    EXPECT_EQ(panel, (QStringList{"", "Date", "Description", "Amount"}));
}

TEST_F(RegisterTest, BalanceBarShowsTheTotalAndTheNegativeMarker)
{
    Register reg = make();
    ASSERT_TRUE(reg.select(1));
    EXPECT_EQ(reg.balanceBarText(), QStringLiteral("Balance:  $-1.50"));
    EXPECT_TRUE(reg.balanceBarMarker());
    ASSERT_TRUE(reg.select(10));
    EXPECT_EQ(reg.balanceBarText(), QStringLiteral("Balance:  $0.05"));
    EXPECT_FALSE(reg.balanceBarMarker());
}

TEST_F(RegisterTest, MarkCyclesThroughTheThreeStates)
{
    Register reg = make();
    ASSERT_TRUE(reg.select(1));
    const std::vector<ReconcileMark> expected = {ReconcileMark::Cleared, ReconcileMark::Reconciled,
                                                 ReconcileMark::Unreconciled, ReconcileMark::Cleared};
    for (ReconcileMark mark : expected) {
        EXPECT_EQ(reg.toggleMark(1), mark);
        EXPECT_EQ(m_book.markOf(m_keys[1]), static_cast<int>(mark));
    }
    EXPECT_EQ(m_book.markOf(m_keys[0]), 0);
    EXPECT_FALSE(reg.toggleMark(3));
}

TEST_F(RegisterTest, MarkReachesTheOtherSideOfATransfer)
{
    RawTransaction out = RawTransaction::of(2, AccountTestBook::at(4), -10, -10);
    RawTransaction in = RawTransaction::of(10, AccountTestBook::at(4), 10, 15);
    out.category = -10;
    in.category = -2;
    out.link = fullKey(10, *fileTimeFromLocal(in.when));
    in.link = fullKey(2, *fileTimeFromLocal(out.when));
    const QString outKey = m_book.addTransaction(out);
    const QString inKey = m_book.addTransaction(in);
    Register reg = make();
    ASSERT_TRUE(reg.select(2));
    EXPECT_EQ(reg.toggleMark(0), ReconcileMark::Cleared);
    EXPECT_EQ(m_book.markOf(outKey), 1);
    EXPECT_EQ(m_book.markOf(inKey), 1);
    EXPECT_TRUE(reg.cells(0, 0).transferOverlay);
}

TEST_F(RegisterTest, MarkWithABrokenLinkSetsThisSideOnly)
{
    RawTransaction broken = RawTransaction::of(2, AccountTestBook::at(4), -10, -10);
    broken.category = -10;
    broken.link = QStringLiteral("10_20990101000000000");
    const QString key = m_book.addTransaction(broken);
    Register reg = make();
    ASSERT_TRUE(reg.select(2));
    EXPECT_EQ(reg.toggleMark(0), ReconcileMark::Cleared);
    EXPECT_EQ(m_book.markOf(key), 1);
}

TEST_F(RegisterTest, RefreshFollowsNewTransactions)
{
    Register reg = make();
    ASSERT_TRUE(reg.select(2));
    m_book.addTransaction(RawTransaction::of(2, AccountTestBook::at(5), 1, 1));
    EXPECT_EQ(reg.transactionCount(), 0);
    ASSERT_TRUE(reg.refresh());
    EXPECT_EQ(reg.transactionCount(), 1);
}

TEST_F(RegisterTest, ReadingKeepsTheCursorsOrder)
{
    DbTable& t = m_book.tables().transactions();
    ASSERT_TRUE(t.resortByText(Prop::ProjectKey));
    Register reg = make();
    ASSERT_TRUE(reg.select(1));
    EXPECT_TRUE(reg.entry(1));
    EXPECT_EQ(t.sortId(), Prop::ProjectKey);
}

}  // namespace
