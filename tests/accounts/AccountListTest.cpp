#include "accounts/AccountList.h"

#include "AccountTestBook.h"

namespace {

class AccountListTest : public ::testing::Test {
protected:
    AccountListTest()
    {
        m_book.addAccount(2, QStringLiteral("Savings"));
        m_book.addAccount(1, QStringLiteral("Cash"));
        m_book.addAccount(3, QStringLiteral("1"));  // a name that reads as another account's id
        m_book.addAccount(4, QStringLiteral("2024"));
    }
    std::optional<qint32> idOf(const char* text)
    {
        const auto r = AccountList(m_book.tables().accounts()).findByIdOrName(QString::fromUtf8(text));
        return r ? std::optional<qint32>(r->id) : std::nullopt;
    }

    AccountTestBook m_book;
};

TEST_F(AccountListTest, AllComeInIdOrder)
{
    std::vector<qint32> ids;
    for (const AccountRecord& r : AccountList(m_book.tables().accounts()).all())
        ids.push_back(r.id);
    EXPECT_EQ(ids, (std::vector<qint32>{1, 2, 3, 4}));
}

TEST_F(AccountListTest, CommandLineNamesById)
{
    EXPECT_EQ(idOf("1"), 1);     // the id wins over the account named "1"
    EXPECT_EQ(idOf("2024"), 4);  // no id 2024: the exact name
    EXPECT_EQ(idOf("Savings"), 2);
    EXPECT_EQ(idOf("savings"), std::nullopt);  // names match exactly
    EXPECT_EQ(idOf("Sav"), std::nullopt);
    EXPECT_EQ(idOf(""), std::nullopt);
    EXPECT_EQ(idOf("99"), std::nullopt);
}

TEST_F(AccountListTest, LargestIdIsFoundByReadingEveryRecord)
{
    EXPECT_EQ(AccountList(m_book.tables().accounts()).largestId(), 4);
    AccountTestBook empty;
    EXPECT_EQ(AccountList(empty.tables().accounts()).largestId(), 0);
}

}  // namespace
