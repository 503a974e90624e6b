#include "accounts/MisfiledTransactionRepair.h"

#include "AccountTestBook.h"
#include "accounts/AccountCheck.h"
#include "accounts/BalanceRecalc.h"

namespace {

class MisfiledTransactionRepairTest : public ::testing::Test {
protected:
    MisfiledTransactionRepairTest()
    {
        m_book.addAccount(1, QStringLiteral("Cash"));
        m_book.addAccount(2, QStringLiteral("Bank"));
        m_book.addAccount(3, QStringLiteral("Card"));
        m_first = m_book.addTransaction(RawTransaction::of(1, AccountTestBook::at(1), 100));
        RawTransaction out = RawTransaction::of(2, AccountTestBook::at(3), -20);
        RawTransaction in = RawTransaction::of(1, AccountTestBook::at(3), 20);
        out.category = -1;
        in.category = -2;
        out.link = fullKey(1, *fileTimeFromLocal(in.when));
        in.link = fullKey(2, *fileTimeFromLocal(out.when));
        m_out = m_book.addTransaction(out);
        m_in = m_book.addTransaction(in);
    }
    void setAccountId(const QString& key, qint32 account)
    {
        ASSERT_TRUE(m_book.seek(key));
        ASSERT_TRUE(m_book.tables().transactions().setInt(Prop::AccountId, account));
    }
    qint64 accountIdOf(const QString& key)
    {
        return m_book.seek(key) ? m_book.tables().transactions().getInt(Prop::AccountId)
                                : AccountTestBook::Missing;
    }
    QStringList problemsAfterRepair(int expectedMends)
    {
        EXPECT_EQ(MisfiledTransactionRepair(m_book.tables()).run(), std::optional<int>(expectedMends));
        EXPECT_TRUE(BalanceRecalc(m_book.tables()).recalcAll());
        return AccountCheck(m_book.tables()).problems();
    }

    AccountTestBook m_book;
    QString m_first, m_out, m_in;
};

// The account id is wrong: the key names the only account that exists, or
// the other side of a transfer names the key's account.
TEST_F(MisfiledTransactionRepairTest, AccountIdFollowsTheKeyWhenTheRecordSaysSo)
{
    setAccountId(m_first, 0);
    setAccountId(m_out, 7);
    setAccountId(m_in, 3);  // both exist; the transfer's other side names account 1
    EXPECT_EQ(problemsAfterRepair(3), QStringList());
    EXPECT_EQ(accountIdOf(m_first), 1);
    EXPECT_EQ(accountIdOf(m_out), 2);
    EXPECT_EQ(accountIdOf(m_in), 1);
    EXPECT_EQ(m_book.accountTotal(1), 120);
    EXPECT_EQ(m_book.accountTotal(2), -20);
}

// The key is wrong: it names an account that does not exist. The record gets
// the key of its own account, a millisecond later where that key is taken,
// and the other side of its transfer follows.
TEST_F(MisfiledTransactionRepairTest, KeyFollowsTheAccountIdWhenTheKeyNamesNoAccount)
{
    RawTransaction r = RawTransaction::of(9, AccountTestBook::at(1), 5);
    r.category = -2;
    r.link = m_out;
    const QString wrong = m_book.addTransaction(r);
    setAccountId(wrong, 1);
    ASSERT_TRUE(m_book.seek(m_out));
    ASSERT_TRUE(m_book.tables().transactions().setText(Prop::TransferLink, wrong));
    ASSERT_TRUE(m_book.seek(m_in));
    ASSERT_TRUE(m_book.tables().transactions().removeProperty(Prop::TransferLink));
    ASSERT_TRUE(m_book.tables().transactions().setInt(Prop::CategoryId, 0));

    EXPECT_EQ(problemsAfterRepair(1), QStringList());
    const QString moved = fullKey(1, addMilliseconds(*fileTimeFromLocal(AccountTestBook::at(1)), 1));
    EXPECT_FALSE(m_book.seek(wrong));
    EXPECT_EQ(accountIdOf(moved), 1);
    EXPECT_EQ(m_book.transactionText(m_out, Prop::TransferLink), moved);
    EXPECT_EQ(m_book.accountTotal(1), 125);
}

// Two existing accounts and nothing in the record to choose between them:
// the record stays as it is, for check to report.
TEST_F(MisfiledTransactionRepairTest, UndecidableRecordIsLeftAlone)
{
    setAccountId(m_first, 3);
    const QStringList problems = problemsAfterRepair(0);
    EXPECT_TRUE(problems.contains(QStringLiteral("transaction %1 is filed under account 3").arg(m_first)))
        << problems.join(u'\n').toStdString();
    EXPECT_EQ(accountIdOf(m_first), 3);
}

}  // namespace
