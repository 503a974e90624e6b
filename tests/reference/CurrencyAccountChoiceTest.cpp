#include "reference/AccountCurrencyChoice.h"

#include "CurrencyBook.h"

#include <gtest/gtest.h>

namespace {

QString s(const char* text)
{
    return QString::fromUtf8(text);
}

TEST(AccountCurrencyChoice, OffersEveryBuiltInRowInOrder)
{
    const auto items = AccountCurrencyChoice::items();
    ASSERT_EQ(items.size(), 170u);
    for (size_t k = 0; k < items.size(); ++k)
        EXPECT_EQ(items[k].row, static_cast<int>(k));
    EXPECT_EQ(items[0].text, s("Afghanistan Afghani (AFA)"));
    EXPECT_EQ(items[110].text, s("Netherlands Guilder (NLG)"));
    EXPECT_EQ(items[169].text.right(5), s("(ZWD)"));
}

TEST(AccountCurrencyChoice, PreselectsTheFirstRowOfTheDefault)
{
    const std::pair<const char*, int> cases[] = {
        {"USD", 161}, {"NLG", 44}, {"SAR", 131}, {"AFA", 0}, {"XYZ", 0}, {"", 0}, {"usd", 0},
    };
    for (const auto& [code, row] : cases)
        EXPECT_EQ(AccountCurrencyChoice::preselectedRow(s(code)), row) << code;
}

TEST(AccountCurrencyChoice, RegistersTheRowOnlyWhenItsCodeIsNew)
{
    CurrencyBook book;
    CurrencyCache cache(book.table());
    ASSERT_TRUE(cache.reload());
    EXPECT_EQ(AccountCurrencyChoice::commit(cache, 44), s("NLG"));
    ASSERT_EQ(cache.size(), 1);
    EXPECT_EQ(cache.displayText(0), s("Dutch Guilder (NLG)"));
    EXPECT_EQ(cache.symbolOf(u"NLG"), s("dg"));

    // Netherlands Guilder after Dutch Guilder: the same currency, unchanged.
    const quint64 seen = cache.reloadCount();
    EXPECT_EQ(AccountCurrencyChoice::commit(cache, 110), s("NLG"));
    EXPECT_EQ(cache.size(), 1);
    EXPECT_EQ(cache.reloadCount(), seen);
    EXPECT_EQ(book.text(1, Prop::CurrencyName), s("Dutch Guilder"));

    EXPECT_EQ(AccountCurrencyChoice::commit(cache, 140), s("SAR"));
    ASSERT_EQ(cache.size(), 2);
    EXPECT_EQ(cache.displayText(1), s("South African Rand (SAR)"));
    EXPECT_EQ(cache.entries()[1].number, 2);
}

TEST(AccountCurrencyChoice, FailsForRowsOutsideTheListOrAFailedWrite)
{
    CurrencyBook book;
    CurrencyCache cache(book.table());
    ASSERT_TRUE(cache.reload());
    EXPECT_EQ(AccountCurrencyChoice::commit(cache, -1), QString());
    EXPECT_EQ(AccountCurrencyChoice::commit(cache, 170), QString());
    book.store().setWriteFault([] { return true; });
    EXPECT_EQ(AccountCurrencyChoice::commit(cache, 161), QString());
    book.store().setWriteFault({});
    EXPECT_TRUE(cache.isEmpty());
}

}  // namespace
