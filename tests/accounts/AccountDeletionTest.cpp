#include "accounts/AccountDeletion.h"

#include "AccountTestBook.h"
#include "accounts/AccountList.h"
#include "accounts/AccountRun.h"
#include "support/ScriptedInteraction.h"

namespace {

class AccountDeletionTest : public ::testing::Test {
protected:
    AccountDeletionTest() : m_categories(m_book.tables())
    {
        EXPECT_TRUE(m_categories.ensureRoot());
        m_book.addAccount(1, QStringLiteral("Cash"), 900);
        m_book.addAccount(2, QStringLiteral("Bank"), -300);
        m_book.addAccount(10, QStringLiteral("Card"), 0);
        // A transfer of 300 from Bank to Cash, both sides linked.
        RawTransaction in = RawTransaction::of(1, AccountTestBook::at(1), 300, 300);
        RawTransaction out = RawTransaction::of(2, AccountTestBook::at(1), -300, -300);
        in.category = -2;
        out.category = -1;
        in.link = fullKey(2, *fileTimeFromLocal(out.when));
        out.link = fullKey(1, *fileTimeFromLocal(in.when));
        m_transferIn = m_book.addTransaction(in);
        m_transferOut = m_book.addTransaction(out);
        m_plain = m_book.addTransaction(RawTransaction::of(1, AccountTestBook::at(2), 600, 900));
        m_cardOne = m_book.addTransaction(RawTransaction::of(10, AccountTestBook::at(3), 5, 5));
        addPlanned(m_book.tables().planner(), Prop::PlannerId, 1, -2);
        addPlanned(m_book.tables().planner(), Prop::PlannerId, 2, -10);
        addScheduled(-2);
    }

    static void addPlanned(DbTable& t, quint16 idProp, qint32 id, qint32 category)
    {
        t.beginNew();
        t.setInt(idProp, id);
        t.setInt64(Prop::Date, *fileTimeFromLocal(AccountTestBook::at(9)));
        ASSERT_TRUE(t.setInt(Prop::CategoryId, category, true));
    }
    void addScheduled(qint32 category)
    {
        DbTable& t = m_book.tables().scheduled();
        t.beginNew();
        t.setInt(Prop::PlannerId, 1);
        t.setInt(Prop::CategoryId, category);
        ASSERT_TRUE(t.setInt64(Prop::Date, *fileTimeFromLocal(AccountTestBook::at(9)), true));
    }
    std::vector<qint32> categoriesIn(DbTable& t)
    {
        std::vector<qint32> found;
        for (qint64 p = 0; p < t.count(); ++p) {
            t.moveTo(p);
            found.push_back(t.getInt(Prop::CategoryId));
        }
        return found;
    }
    AccountDeletion::Outcome remove(qint32 id)
    {
        return AccountDeletion(m_book.tables(), m_categories).remove(id, m_ui);
    }

    AccountTestBook m_book;
    Categories m_categories;
    ScriptedInteraction m_ui;
    QString m_transferIn, m_transferOut, m_plain, m_cardOne;
};

TEST_F(AccountDeletionTest, AsksFirstAndNoChangesNothing)
{
    m_ui.answer(false);
    EXPECT_EQ(remove(2), AccountDeletion::Outcome::Declined);
    EXPECT_EQ(m_ui.questions, QStringList{QString::fromLatin1(AccountDeletion::QuestionText)});
    EXPECT_EQ(m_book.tables().accounts().count(), 3);
    EXPECT_EQ(m_book.tables().transactions().count(), 4);
}

TEST_F(AccountDeletionTest, TransfersToTheDeletedAccountAreRefiledUnderStarName)
{
    m_ui.answer(true);
    ASSERT_EQ(remove(2), AccountDeletion::Outcome::Deleted);
    const qint32 star = m_categories.findByPath(QStringLiteral("*Bank"));
    ASSERT_GT(star, 1);
    EXPECT_EQ(m_categories.tree().record(star)->parent, RootCategoryId);
    EXPECT_EQ(m_book.categoryOf(m_transferIn), star);
    EXPECT_EQ(m_book.transactionText(m_transferIn, Prop::TransferLink), QString());
    EXPECT_EQ(m_book.balanceOf(m_transferIn), 300);
    EXPECT_EQ(m_book.accountTotal(1), 900);
    EXPECT_EQ(m_book.balanceOf(m_transferOut), AccountTestBook::Missing);
    EXPECT_FALSE(AccountList(m_book.tables().accounts()).find(2));
}

TEST_F(AccountDeletionTest, PlansAndFutureEntriesLoseTheTransferOnly)
{
    m_ui.answer(true);
    ASSERT_EQ(remove(2), AccountDeletion::Outcome::Deleted);
    EXPECT_EQ(categoriesIn(m_book.tables().planner()), (std::vector<qint32>{0, -10}));
    EXPECT_EQ(categoriesIn(m_book.tables().scheduled()), (std::vector<qint32>{0}));
}

TEST_F(AccountDeletionTest, OnlyTheAccountsOwnRunIsDeleted)
{
    // Account 1's keys ("1_...") sort right after account 10's ("10_...").
    m_ui.answer(true);
    ASSERT_EQ(remove(10), AccountDeletion::Outcome::Deleted);
    EXPECT_EQ(m_book.balanceOf(m_cardOne), AccountTestBook::Missing);
    EXPECT_EQ(AccountRun::locate(m_book.tables().transactions(), 1).count, 2);
    EXPECT_EQ(AccountRun::locate(m_book.tables().transactions(), 2).count, 1);
}

TEST_F(AccountDeletionTest, TheLastAccountIsRefusedAfterTheQuestion)
{
    m_ui.answer(true);
    m_ui.answer(true);
    ASSERT_EQ(remove(2), AccountDeletion::Outcome::Deleted);
    ASSERT_EQ(remove(10), AccountDeletion::Outcome::Deleted);
    m_ui.answer(true);
    EXPECT_EQ(remove(1), AccountDeletion::Outcome::LastAccount);
    EXPECT_EQ(m_ui.messages.back(), QString::fromLatin1(AccountDeletion::LastAccountText));
    EXPECT_TRUE(AccountList(m_book.tables().accounts()).find(1));
}

TEST_F(AccountDeletionTest, MissingAccountAsksNothing)
{
    EXPECT_EQ(remove(7), AccountDeletion::Outcome::Missing);
    EXPECT_TRUE(m_ui.questions.isEmpty());
}

TEST_F(AccountDeletionTest, FailedWriteChangesNothing)
{
    m_ui.answer(true);
    int writes = 0;
    m_book.store().setWriteFault([&writes] { return ++writes > 3; });
    EXPECT_EQ(remove(2), AccountDeletion::Outcome::Failed);
    m_book.store().setWriteFault({});
    EXPECT_EQ(m_book.tables().accounts().count(), 3);
    EXPECT_EQ(m_book.tables().transactions().count(), 4);
    EXPECT_EQ(m_book.categoryOf(m_transferIn), -2);
    EXPECT_EQ(m_categories.findByPath(QStringLiteral("*Bank")), 0);
    EXPECT_EQ(categoriesIn(m_book.tables().planner()), (std::vector<qint32>{-2, -10}));
}

TEST_F(AccountDeletionTest, ProjectTotalsHookRunsAfterADeletionOnly)
{
    int runs = 0;
    AccountDeletion deletion(m_book.tables(), m_categories, [&runs] { return ++runs > 0; });
    m_ui.answer(false);
    deletion.remove(2, m_ui);
    EXPECT_EQ(runs, 0);
    m_ui.answer(true);
    deletion.remove(2, m_ui);
    EXPECT_EQ(runs, 1);
}

}  // namespace
