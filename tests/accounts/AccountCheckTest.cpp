#include "accounts/AccountCheck.h"

#include "AccountTestBook.h"

#include <limits>

namespace {

class AccountCheckTest : public ::testing::Test {
protected:
    AccountCheckTest()
    {
        m_book.addAccount(1, QStringLiteral("Cash"), 70);
        m_book.addAccount(2, QStringLiteral("Bank"), -20);
        add(RawTransaction::of(1, AccountTestBook::at(1), 100, 100));
        add(RawTransaction::of(1, AccountTestBook::at(2), -50, 50));
        RawTransaction out = RawTransaction::of(2, AccountTestBook::at(3), -20, -20);
        RawTransaction in = RawTransaction::of(1, AccountTestBook::at(3), 20, 70);
        out.category = -1;
        in.category = -2;
        out.link = fullKey(1, *fileTimeFromLocal(in.when));
        in.link = fullKey(2, *fileTimeFromLocal(out.when));
        m_out = add(out);
        m_in = add(in);
    }
    QString add(const RawTransaction& r) { return m_book.addTransaction(r); }
    QStringList problems() { return AccountCheck(m_book.tables()).problems(); }
    DbTable& transactions() { return m_book.tables().transactions(); }

    AccountTestBook m_book;
    QString m_out, m_in;
};

TEST_F(AccountCheckTest, ConsistentBookHasNoProblem)
{
    EXPECT_EQ(problems(), QStringList());
}

TEST_F(AccountCheckTest, WrongRunningBalanceAndTotalAreReported)
{
    ASSERT_TRUE(m_book.seek(m_in));
    ASSERT_TRUE(transactions().setInt64(Prop::Balance, 71));
    ASSERT_TRUE(m_book.tables().accounts().seekInt(SeekKind::Equal, 2));
    ASSERT_TRUE(m_book.tables().accounts().setInt64(Prop::Balance, 0));
    EXPECT_EQ(
        problems(),
        (QStringList{QStringLiteral("account 1: running balance of %1 is 0.71, should be 0.70").arg(m_in),
                     QStringLiteral("account 2: total is 0.00, should be -0.20")}));
}

TEST_F(AccountCheckTest, ABalanceAtTheLimitOfTheNumberRangeIsReported)
{
    constexpr qint64 Max = std::numeric_limits<qint64>::max();
    // Two huge deposits whose sum saturated: stored balances agree with the
    // saturating sum, yet the second is not the true balance.
    m_book.addAccount(3, QStringLiteral("Vault"), Max);
    add(RawTransaction::of(3, AccountTestBook::at(1), Max - 5, Max - 5));
    const QString second = add(RawTransaction::of(3, AccountTestBook::at(2), Max - 5, Max));
    EXPECT_EQ(
        problems(),
        QStringList{QStringLiteral("account 3: running balance of %1 is at the limit of the number range")
                        .arg(second)});
}

TEST_F(AccountCheckTest, KeyProblemsAreReported)
{
    RawTransaction twin = RawTransaction::of(1, AccountTestBook::at(1), 0, 100);
    const QString dup = m_book.addTransaction(twin);  // the same key as the first one
    ASSERT_TRUE(transactions().setInt64(Prop::Date, *fileTimeFromLocal(AccountTestBook::at(1, 13))));
    RawTransaction orphan = RawTransaction::of(7, AccountTestBook::at(1), 5, 5);
    const QString orphanKey = add(orphan);
    const QStringList found = problems();
    EXPECT_TRUE(
        found.contains(QStringLiteral("account key %1 is held by more than one transaction").arg(dup)));
    EXPECT_TRUE(found.contains(QStringLiteral("transaction %1 has another date than its key").arg(dup)));
    EXPECT_TRUE(found.contains(
        QStringLiteral("transaction %1 belongs to account 7, which does not exist").arg(orphanKey)));
}

TEST_F(AccountCheckTest, MalformedAndMisfiledKeysAreReported)
{
    ASSERT_TRUE(m_book.seek(m_out));
    ASSERT_TRUE(transactions().setInt(Prop::AccountId, 1));  // key says 2, record says 1
    transactions().beginNew();
    transactions().setText(Prop::AccountKey, QStringLiteral("2_garbage"));
    transactions().setInt(Prop::AccountId, 2);
    ASSERT_TRUE(transactions().setInt64(Prop::Amount, 0, true));
    const QStringList found = problems();
    EXPECT_TRUE(found.contains(QStringLiteral("transaction %1 is filed under account 1").arg(m_out)));
    EXPECT_TRUE(
        found.contains(QStringLiteral("transaction 2_garbage of account 2 has a malformed account key")));
}

TEST_F(AccountCheckTest, BrokenTransferLinksAreReported)
{
    ASSERT_TRUE(m_book.seek(m_out));
    ASSERT_TRUE(transactions().setText(Prop::TransferLink, QStringLiteral("1_20990101000000000")));
    ASSERT_TRUE(m_book.seek(m_in));
    ASSERT_TRUE(transactions().removeProperty(Prop::TransferLink));
    EXPECT_EQ(
        problems(),
        (QStringList{
            QStringLiteral("transfer %1 has no link to its other side").arg(m_in),
            QStringLiteral("transfer %1 links to 1_20990101000000000, which does not exist").arg(m_out)}));
}

TEST_F(AccountCheckTest, OneSidedLinkIsReported)
{
    ASSERT_TRUE(m_book.seek(m_in));
    ASSERT_TRUE(transactions().setInt(Prop::CategoryId, -5));
    const QStringList found = problems();
    EXPECT_TRUE(
        found.contains(QStringLiteral("transfer %1 and %2 do not link to each other").arg(m_out, m_in)));
}

TEST_F(AccountCheckTest, ReservedRecordsAreLeftAlone)
{
    RawTransaction held = RawTransaction::of(ReservedAccount::Holder, AccountTestBook::at(1), 5, 0);
    held.category = -1;  // a deleted occurrence keeps what it had
    m_book.addTransaction(held);
    EXPECT_EQ(problems(), QStringList());
}

}  // namespace
