#include "accounts/Register.h"

#include "AccountTestBook.h"
#include "accounts/BalanceHistory.h"
#include "planning/FutureList.h"
#include "reference/Projects.h"

namespace {

class RegisterTest : public ::testing::Test {
protected:
    RegisterTest()
    {
        m_book.currencies().registerCurrency(QStringLiteral("USD"), QStringLiteral("$"),
                                             QStringLiteral("US Dollar"));
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

// A model resets when the counter moved: every change of what the rows show
// moves it, reading them never does, and a refused change leaves it.
TEST_F(RegisterTest, TheChangeCountMovesWithWhatTheRowsShowOnly)
{
    Register reg = make();
    quint64 seen = reg.changeCount();
    const auto moved = [&] {
        const bool m = reg.changeCount() != seen;
        seen = reg.changeCount();
        return m;
    };
    ASSERT_TRUE(reg.select(1));
    EXPECT_TRUE(moved()) << "select";
    (void)reg.cells(0, 0);
    (void)reg.entry(1);
    EXPECT_FALSE(moved()) << "reading rows";
    EXPECT_FALSE(reg.select(3));
    EXPECT_FALSE(moved()) << "a missing account";
    ASSERT_TRUE(reg.toggleMark(0).has_value());
    EXPECT_TRUE(moved()) << "a mark";
    EXPECT_FALSE(reg.toggleMark(3).has_value());
    EXPECT_FALSE(moved()) << "a row without a mark";
    ASSERT_TRUE(reg.refresh());
    EXPECT_TRUE(moved()) << "refresh";
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
    EXPECT_TRUE(deposit.style.band);
    EXPECT_EQ(deposit.icon, RegisterCells::Icon::Unreconciled);
    // Zero is shown as a deposit.
    const RegisterCells zero = reg.cells(1, now);
    EXPECT_EQ(zero.deposit, QStringLiteral("$0.00"));
    EXPECT_EQ(zero.payment, QString());
    EXPECT_FALSE(zero.style.band);
    const RegisterCells payment = reg.cells(2, now);
    EXPECT_EQ(payment.deposit, QString());
    EXPECT_EQ(payment.payment, QStringLiteral("$2.50"));
    EXPECT_EQ(payment.amount, QStringLiteral("$-2.50"));
    EXPECT_EQ(payment.balance, QStringLiteral("$-1.50"));
    EXPECT_TRUE(payment.style.negative);
    EXPECT_FALSE(deposit.style.negative);
}

TEST_F(RegisterTest, NewRowShowsTodayAndItsText)
{
    Register reg = make();
    ASSERT_TRUE(reg.select(1));
    const RegisterCells c = reg.cells(3, *fileTimeFromLocal(AccountTestBook::at(9)));
    EXPECT_EQ(c.style.tone, RowStyle::Tone::NewRow);
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

// Future rows: entries of the future list written straight into the
// Scheduled table, with the plans they name, so the rows show exactly what is stored.
class RegisterFutureTest : public RegisterTest {
protected:
    RegisterFutureTest()
    {
        m_book.currencies().registerCurrency(QStringLiteral("EUR"), QStringLiteral("eu"),
                                             QStringLiteral("Euro"));
        addPlan(7, QStringLiteral("101"));
        addPlan(8, QString());
    }
    void addPlan(qint32 id, const QString& number)
    {
        DbTable& p = m_book.tables().planner();
        p.beginNew();
        p.setInt(Prop::PlannerId, id);
        p.setText(Prop::Name, QStringLiteral("plan"));
        p.setText(Prop::Number, number);
        ASSERT_TRUE(p.setText(Prop::CurrencyCode, QStringLiteral("USD"), true));
    }
    void addEntry(qint32 plan, const LocalTime& when, qint64 amount, const QString& currency,
                  const QString& description)
    {
        DbTable& s = m_book.tables().scheduled();
        s.beginNew();
        s.setInt(Prop::PlannerId, plan);
        s.setInt64(Prop::Date, *fileTimeFromLocal(when));
        s.setText(Prop::Name, description);
        s.setInt64(Prop::Amount, amount);
        ASSERT_TRUE(s.setText(Prop::CurrencyCode, currency, true));
    }
    Register makeWithFuture() { return Register(m_book.tables(), m_book.currencies(), m_locale, m_future); }

    Projects m_projects{m_book.tables()};
    ProjectTotals m_totals{m_book.tables(), m_projects, m_book.currencies()};
    FileTime m_horizon = 0;
    FutureList m_future{m_book.tables(), m_totals, QLocale::c(), m_horizon};
};

TEST_F(RegisterFutureTest, EveryAccountListsEveryEntryAfterTheNewRowInDateOrder)
{
    addEntry(8, AccountTestBook::at(20), -5000, QStringLiteral("EUR"), QStringLiteral("Rent"));
    addEntry(7, AccountTestBook::at(10), 250000, QStringLiteral("USD"), QStringLiteral("Salary"));
    Register reg = makeWithFuture();
    ASSERT_TRUE(reg.select(1));
    EXPECT_EQ(reg.futureCount(), 2);
    EXPECT_EQ(reg.rowCount(), 6);
    using K = Register::RowKind;
    const std::vector<std::pair<qint64, K>> kinds = {
        {2, K::Transaction}, {3, K::NewTransaction}, {4, K::Future}, {5, K::Future}, {6, K::Outside}};
    for (const auto& [row, kind] : kinds)
        EXPECT_EQ(reg.rowKind(row), kind) << row;
    EXPECT_EQ(reg.futureEntry(4)->description, QStringLiteral("Salary"));
    EXPECT_EQ(reg.futureEntry(5)->description, QStringLiteral("Rent"));
    EXPECT_FALSE(reg.futureEntry(3));
    EXPECT_FALSE(reg.futureEntry(2));
    EXPECT_FALSE(reg.entry(4)) << "a future row is no transaction";
    EXPECT_EQ(reg.futurePositionOf(5), 1);

    // An account without transactions lists the same entries right after its new row.
    ASSERT_TRUE(reg.select(2));
    EXPECT_EQ(reg.rowCount(), 3);
    EXPECT_EQ(reg.rowKind(1), K::Future);
    EXPECT_EQ(reg.futureEntry(1)->description, QStringLiteral("Salary"));
}

TEST_F(RegisterFutureTest, CellsShowTheEntryInItsOwnCurrencyRedWhenDueOliveLater)
{
    const LocalTime today{2024, 3, 9, 8, 0, 0, 0};
    addEntry(7, LocalTime{2024, 3, 9, 23, 59, 59, 999}, 25000, QStringLiteral("USD"),
             QStringLiteral("Salary"));
    addEntry(8, LocalTime{2024, 3, 10, 0, 0, 0, 0}, -5000, QStringLiteral("EUR"), QStringLiteral("Rent"));
    Register reg = makeWithFuture();
    ASSERT_TRUE(reg.select(1));
    const FileTime now = *fileTimeFromLocal(today);

    const RegisterCells due = reg.cells(4, now);
    EXPECT_EQ(due.icon, RegisterCells::Icon::Future);
    EXPECT_EQ(due.style.tone, RowStyle::Tone::Due) << "dated the last millisecond of today";
    EXPECT_EQ(due.date, QStringLiteral("Sat, 3/9/2024"));
    EXPECT_EQ(due.number, QStringLiteral("101")) << "the plan's number";
    EXPECT_EQ(due.description, QStringLiteral("Salary"));
    EXPECT_EQ(due.deposit, QStringLiteral("$250.00"));
    EXPECT_EQ(due.payment, QString());
    EXPECT_EQ(due.amount, QStringLiteral("$250.00"));
    EXPECT_EQ(due.balance, QString());
    EXPECT_FALSE(due.style.negative);
    EXPECT_TRUE(due.style.band);

    const RegisterCells later = reg.cells(5, now);
    EXPECT_EQ(later.style.tone, RowStyle::Tone::PlannedLater) << "dated the first millisecond of tomorrow";
    EXPECT_EQ(later.number, QString());
    EXPECT_EQ(later.deposit, QString());
    EXPECT_EQ(later.payment, QStringLiteral("eu50.00")) << "the entry's currency, not the account's";
    EXPECT_EQ(later.amount, QStringLiteral("eu-50.00"));
    EXPECT_FALSE(later.style.band);
}

TEST_F(RegisterFutureTest, AZeroEntryIsNeitherDepositNorPayment)
{
    addEntry(7, AccountTestBook::at(10), 0, QStringLiteral("USD"), QStringLiteral("Nothing"));
    Register reg = makeWithFuture();
    ASSERT_TRUE(reg.select(1));
    const RegisterCells c = reg.cells(4, 0);
    EXPECT_EQ(c.deposit, QString());
    EXPECT_EQ(c.payment, QString());
    EXPECT_EQ(c.amount, QStringLiteral("$0.00"));
}

TEST_F(RegisterFutureTest, WithoutAFutureListNoFutureRowsShow)
{
    addEntry(7, AccountTestBook::at(10), 100, QStringLiteral("USD"), QStringLiteral("Salary"));
    Register reg = make();
    ASSERT_TRUE(reg.select(1));
    EXPECT_EQ(reg.futureCount(), 0);
    EXPECT_EQ(reg.rowKind(4), Register::RowKind::Outside);
    reg.setFutureList(&m_future);
    ASSERT_TRUE(reg.refresh());
    EXPECT_EQ(reg.futureCount(), 1);
    reg.setFutureList(nullptr);
    ASSERT_TRUE(reg.refresh());
    EXPECT_EQ(reg.rowCount(), 4);
}

TEST_F(RegisterFutureTest, RefreshCountsTheListAgain)
{
    Register reg = makeWithFuture();
    ASSERT_TRUE(reg.select(1));
    EXPECT_EQ(reg.rowCount(), 4);
    addEntry(7, AccountTestBook::at(10), 100, QStringLiteral("USD"), QStringLiteral("Salary"));
    EXPECT_EQ(reg.rowCount(), 4) << "the count is taken at select and refresh only";
    ASSERT_TRUE(reg.refresh());
    EXPECT_EQ(reg.rowCount(), 5);
}

TEST_F(RegisterFutureTest, ReadingAFutureRowKeepsTheSortOrders)
{
    addEntry(7, AccountTestBook::at(10), 100, QStringLiteral("USD"), QStringLiteral("Salary"));
    DbTable& planner = m_book.tables().planner();
    ASSERT_TRUE(planner.resortByDate(Prop::Date));
    Register reg = makeWithFuture();
    ASSERT_TRUE(reg.select(1));
    EXPECT_EQ(reg.cells(4, 0).number, QStringLiteral("101"));
    EXPECT_EQ(planner.sortId(), Prop::Date);
}

TEST_F(RegisterFutureTest, BalanceHistoryRunsThroughTheTransactionsAndThePlanUpToTheHorizon)
{
    addEntry(7, AccountTestBook::at(10), 250000, QStringLiteral("USD"), QStringLiteral("Salary"));
    addEntry(8, AccountTestBook::at(12), -5000, QStringLiteral("USD"), QStringLiteral("Rent"));
    addEntry(8, AccountTestBook::at(20), -7000, QStringLiteral("USD"), QStringLiteral("Beyond"));
    m_horizon = *fileTimeFromLocal(AccountTestBook::at(15));
    Register reg = makeWithFuture();
    ASSERT_TRUE(reg.select(1));
    const FileTime now = *fileTimeFromLocal(AccountTestBook::at(4));
    const BalanceHistory history = BalanceHistory::of(reg, m_book.currencies(), now);
    EXPECT_EQ(history.account, QStringLiteral("Cash"));
    const auto pairs = [](const std::vector<BalancePoint>& points) {
        std::vector<std::pair<FileTime, qint64>> out;
        for (const BalancePoint& p : points)
            out.emplace_back(p.date, p.balance.hundredths());
        return out;
    };
    const auto day = [](int d) { return *fileTimeFromLocal(AccountTestBook::at(d)); };
    using Points = std::vector<std::pair<FileTime, qint64>>;
    EXPECT_EQ(pairs(history.actual), (Points{{day(1), 100}, {day(2), 100}, {day(3), -150}}));
    // Continues from the last balance; the entry after the horizon is left out.
    EXPECT_EQ(pairs(history.planned), (Points{{day(3), -150}, {day(10), 249850}, {day(12), 244850}}));

    // An account without transactions starts its plan at now, from zero.
    ASSERT_TRUE(reg.select(2));
    const BalanceHistory empty = BalanceHistory::of(reg, m_book.currencies(), now);
    EXPECT_TRUE(empty.actual.empty());
    EXPECT_EQ(pairs(empty.planned), (Points{{now, 0}, {day(10), 250000}, {day(12), 245000}}));

    // Without entries up to the horizon there is no planned part.
    m_horizon = day(5);
    EXPECT_TRUE(BalanceHistory::of(reg, m_book.currencies(), now).planned.empty());
}

}  // namespace
