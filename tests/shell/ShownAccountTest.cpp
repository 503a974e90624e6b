#include "shell/ShownAccount.h"

#include "StartedBook.h"
#include "accounts/AccountCreator.h"
#include "accounts/AccountList.h"

namespace {

// Two accounts, each with its "Opening Balance" transaction: which one a
// search finds first tells where it started.
class ShownAccountTest : public StartedBook {
protected:
    void SetUp() override
    {
        StartedBook::SetUp();
        m_bank = AccountCreator(m_book.tables(), m_book.currencies(), m_clock)
                     .create(AccountDraft{QStringLiteral("Bank"), BuiltInCurrencies::firstRowOf(u"EUR"),
                                          Money::fromHundredths(700)});
        ASSERT_NE(m_bank, 0);
        m_cash = AccountList(m_book.tables().accounts()).findByIdOrName(QStringLiteral("Cash"))->id;
    }
    std::optional<TransactionFind::Hit> find(qint32 startAccount)
    {
        return ShownAccount::find(m_book, {QStringLiteral("Opening"), false}, {startAccount, -1}, m_ui);
    }

    qint32 m_cash = 0;
    qint32 m_bank = 0;
};

TEST_F(ShownAccountTest, FindStartsInTheShownAccountAndShowsTheHitsAccountNext)
{
    Register reg(m_book.tables(), m_book.currencies(), m_locale);
    ASSERT_TRUE(ShownAccount::show(m_book, reg, m_bank));
    EXPECT_EQ(ShownAccount::remembered(m_book), m_bank);
    EXPECT_FALSE(ShownAccount::show(m_book, reg, 999)) << "no such account";
    EXPECT_EQ(ShownAccount::remembered(m_book), m_bank);

    std::optional<TransactionFind::Hit> hit = find(0);
    ASSERT_TRUE(hit.has_value());
    EXPECT_EQ(hit->account, m_bank);

    hit = find(m_cash);
    ASSERT_TRUE(hit.has_value());
    EXPECT_EQ(hit->account, m_cash) << "a named start wins";
    EXPECT_EQ(ShownAccount::remembered(m_book), m_cash) << "the hit's account is shown next";

    EXPECT_FALSE(ShownAccount::find(m_book, {QStringLiteral("nowhere"), false}, {0, -1}, m_ui).has_value());
    EXPECT_EQ(ShownAccount::remembered(m_book), m_cash) << "no hit, no switch";
}

}  // namespace
