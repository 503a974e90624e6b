#include "accounts/AccountSelector.h"

#include <gtest/gtest.h>

namespace {

struct PrefixCase {
    int index;
    const char* prefix;
};

class AccountSelectorPrefixTest : public ::testing::TestWithParam<PrefixCase> {};

TEST_P(AccountSelectorPrefixTest, GivesTheKeyDigitOrTwoBlanks)
{
    EXPECT_EQ(AccountSelector::prefix(GetParam().index), QString::fromLatin1(GetParam().prefix));
}

INSTANTIATE_TEST_SUITE_P(Indexes, AccountSelectorPrefixTest,
                         ::testing::Values(PrefixCase{0, "1. "}, PrefixCase{1, "2. "}, PrefixCase{8, "9. "},
                                           PrefixCase{9, "0. "}, PrefixCase{10, "  "}, PrefixCase{250, "  "},
                                           PrefixCase{-1, "  "}));

TEST(AccountSelectorTest, ItemsFollowTheOrderGivenWithNameAndCode)
{
    std::vector<AccountRecord> accounts;
    for (int i = 0; i < 11; ++i) {
        AccountRecord r;
        r.id = 100 + i;
        r.name = QStringLiteral("A%1").arg(i);
        r.currency = QStringLiteral("EUR");
        accounts.push_back(r);
    }
    const auto items = AccountSelector::items(accounts);
    ASSERT_EQ(items.size(), 11u);
    EXPECT_EQ(items[0].text, QStringLiteral("1. A0 (EUR)"));
    EXPECT_EQ(items[9].text, QStringLiteral("0. A9 (EUR)"));
    // Refreshing the tenth item alone gives the same text as filling the list.
    EXPECT_EQ(AccountSelector::itemText(9, accounts[9]), items[9].text);
    EXPECT_EQ(items[10].text, QStringLiteral("  A10 (EUR)"));
    EXPECT_EQ(items[10].id, 110);
}

TEST(AccountSelectorTest, DigitKeysSelectTheFirstTenAccounts)
{
    EXPECT_EQ(AccountSelector::indexOfKey(u'1'), 0);
    EXPECT_EQ(AccountSelector::indexOfKey(u'9'), 8);
    EXPECT_EQ(AccountSelector::indexOfKey(u'0'), 9);
    EXPECT_EQ(AccountSelector::indexOfKey(u'x'), -1);
    EXPECT_EQ(AccountSelector::indexOfKey(u'.'), -1);
}

}  // namespace
