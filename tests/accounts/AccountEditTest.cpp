#include "accounts/AccountEdit.h"

#include "AccountTestBook.h"
#include "accounts/AccountList.h"

namespace {

class AccountEditTest : public ::testing::Test {
protected:
    AccountEditTest()
    {
        m_book.addAccount(1, QStringLiteral("Cash"));
        m_book.addAccount(2, QStringLiteral("Savings"));
        m_book.addAccount(3, QStringLiteral("Card"));
        m_book.addAccount(4, QStringLiteral("Loan"));
    }

    AccountTestBook m_book;
};

TEST_F(AccountEditTest, EditWritesNameAndNoteAndDropsAnEmptyNote)
{
    DbTable& accounts = m_book.tables().accounts();
    ASSERT_TRUE(AccountEdit::apply(accounts, 2, QStringLiteral("Reserve"), QStringLiteral("rainy days")));
    auto r = AccountList(accounts).find(2);
    EXPECT_EQ(r->name, QStringLiteral("Reserve"));
    EXPECT_EQ(r->note, QStringLiteral("rainy days"));
    ASSERT_TRUE(AccountEdit::apply(accounts, 2, QStringLiteral("Reserve"), QString()));
    ASSERT_TRUE(accounts.seekInt(SeekKind::Equal, 2));
    EXPECT_FALSE(accounts.has(Prop::Note));
}

TEST_F(AccountEditTest, EditOfAMissingAccountChangesNothing)
{
    EXPECT_FALSE(AccountEdit::apply(m_book.tables().accounts(), 9, QStringLiteral("X"), QStringLiteral("Y")));
    EXPECT_EQ(m_book.tables().accounts().count(), 4);
}

TEST_F(AccountEditTest, FailedEditWritesNeitherField)
{
    int writes = 0;
    m_book.store().setWriteFault([&writes] { return ++writes > 1; });
    EXPECT_FALSE(
        AccountEdit::apply(m_book.tables().accounts(), 2, QStringLiteral("New"), QStringLiteral("Note")));
    m_book.store().setWriteFault({});
    EXPECT_EQ(AccountList(m_book.tables().accounts()).find(2)->name, QStringLiteral("Savings"));
}

}  // namespace
