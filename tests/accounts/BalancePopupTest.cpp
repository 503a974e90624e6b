#include "accounts/BalancePopup.h"

#include "AccountTestBook.h"
#include "support/ScriptedInteraction.h"

namespace {

struct Tx {
    qint64 amount;
    ReconcileMark mark;
};

class BalancePopupTest : public ::testing::Test {
protected:
    QStringList linesFor(const std::vector<Tx>& txs, qint64 total)
    {
        m_book.addAccount(1, QStringLiteral("Cash"), total, QStringLiteral("EUR"));
        int day = 1;
        for (const Tx& tx : txs) {
            RawTransaction r = RawTransaction::of(1, AccountTestBook::at(day++), tx.amount);
            r.mark = tx.mark;
            m_book.addTransaction(r);
        }
        Register reg(m_book.tables(), m_book.currencies(), m_locale);
        EXPECT_TRUE(reg.select(1));
        const auto popup = BalancePopup::build(reg, m_book.tables().accounts(), m_locale, m_ui);
        return popup ? popup->printed() : QStringList{QStringLiteral("<none>")};
    }

    AccountTestBook m_book;
    LocaleValues m_locale;
    ScriptedInteraction m_ui;
};

TEST_F(BalancePopupTest, EmptyAccountShowsTotalAndZeroCount)
{
    EXPECT_EQ(linesFor({}, 0),
              (QStringList{"Account: Cash", "-", "Balance Total: 0.00 EUR", "-", "Count Transactions: 0"}));
}

TEST_F(BalancePopupTest, AllUnreconciledShowsNoSplit)
{
    using M = ReconcileMark;
    EXPECT_EQ(linesFor({{100, M::Unreconciled}, {-40, M::Unreconciled}}, 60),
              (QStringList{"Account: Cash", "-", "Balance Total: 0.60 EUR", "-", "Count Transactions: 2"}));
}

TEST_F(BalancePopupTest, MixedMarksGiveReconciledAndBothSubmenus)
{
    using M = ReconcileMark;
    const QStringList lines = linesFor({{100000, M::Reconciled},
                                        {-2500, M::Reconciled},
                                        {300, M::Cleared},
                                        {0, M::Cleared},  // zero counts as a payment
                                        {-200, M::Cleared},
                                        {700, M::Unreconciled}},
                                       98300);
    EXPECT_EQ(lines, (QStringList{"Account: Cash",
                                  "-",
                                  "Balance Total: 983.00 EUR",
                                  "-",
                                  "Balance Reconciled: 975.00 EUR",
                                  "Balance Cleared: 1.00 EUR",
                                  "  Balance Cleared: 1.00 EUR",
                                  "  -",
                                  "  Deposit: 3.00 EUR",
                                  "  Count Transactions: 1",
                                  "  -",
                                  "  Payment: -2.00 EUR",
                                  "  Count Transactions: 2",
                                  "Balance Unreconciled: 7.00 EUR",
                                  "  Balance Unreconciled: 7.00 EUR",
                                  "  -",
                                  "  Deposit: 7.00 EUR",
                                  "  Count Transactions: 1",
                                  "  -",
                                  "  Payment: 0.00 EUR",
                                  "  Count Transactions: 0",
                                  "-",
                                  "Count Transactions: 6"}));
    EXPECT_TRUE(m_ui.messages.isEmpty());
}

TEST_F(BalancePopupTest, OnlyReconciledStillShowsTheUnreconciledSubmenu)
{
    const QStringList lines = linesFor({{500, ReconcileMark::Reconciled}}, 500);
    EXPECT_TRUE(lines.contains(QStringLiteral("Balance Reconciled: 5.00 EUR")));
    EXPECT_TRUE(lines.contains(QStringLiteral("Balance Unreconciled: 0.00 EUR")));
    EXPECT_FALSE(lines.contains(QStringLiteral("Balance Cleared: 0.00 EUR")));
}

TEST_F(BalancePopupTest, MissingAccountOpensNothing)
{
    m_book.addAccount(1, QStringLiteral("Cash"));
    Register reg(m_book.tables(), m_book.currencies(), m_locale);
    ASSERT_TRUE(reg.select(1));
    DbTable& accounts = m_book.tables().accounts();
    ASSERT_TRUE(accounts.seekInt(SeekKind::Equal, 1));
    ASSERT_TRUE(accounts.deleteAt(accounts.position()));
    EXPECT_FALSE(BalancePopup::build(reg, accounts, m_locale, m_ui));
}

TEST_F(BalancePopupTest, UnreadableTransactionDropsTheSums)
{
    m_book.addAccount(1, QStringLiteral("Cash"), 300, QStringLiteral("EUR"));
    RawTransaction r = RawTransaction::of(1, AccountTestBook::at(1), 300);
    r.mark = ReconcileMark::Cleared;
    m_book.addTransaction(r);
    Register reg(m_book.tables(), m_book.currencies(), m_locale);
    ASSERT_TRUE(reg.select(1));
    // The record vanishes behind the register's back (another program deleted it).
    DbTable& t = m_book.tables().transactions();
    ASSERT_TRUE(t.deleteAt(0));
    const auto popup = BalancePopup::build(reg, m_book.tables().accounts(), m_locale, m_ui);
    ASSERT_TRUE(popup);
    EXPECT_EQ(popup->printed(),
              (QStringList{"Account: Cash", "-", "Balance Total: 3.00 EUR", "-", "Count Transactions: 1"}));
    EXPECT_EQ(m_ui.messages, QStringList{QStringLiteral("Error Database")});
}

}  // namespace
