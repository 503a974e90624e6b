#include "reference/CurrencyStartUp.h"

#include "CurrencyBook.h"

#include <gtest/gtest.h>

namespace {

QString s(const char* text)
{
    return QString::fromUtf8(text);
}

struct DefaultCase {
    const char* stored;
    bool withCurrencies;  // USD, EUR stored in that order
    const char* code;
    bool writeBack;
};

TEST(CurrencyStartUp, KeepsACachedDefaultAndReplacesAMissingOne)
{
    const DefaultCase cases[] = {
        {"", false, "AFA", false},   {"XYZ", false, "XYZ", false}, {"EUR", true, "EUR", false},
        {"USD", true, "USD", false}, {"XYZ", true, "USD", true},   {"", true, "USD", true},
        {"eur", true, "USD", true},
    };
    for (const DefaultCase& c : cases) {
        CurrencyBook book;
        if (c.withCurrencies) {
            book.add(1, "USD", "$", "US Dollar");
            book.add(2, "EUR", "eu", "Euro");
        }
        CurrencyCache cache(book.table());
        const auto check = CurrencyStartUp::loadCache(cache, s(c.stored));
        EXPECT_TRUE(check.loaded) << c.stored;
        EXPECT_EQ(check.code, s(c.code)) << c.stored;
        EXPECT_EQ(check.writeBack, c.writeBack) << c.stored;
        EXPECT_EQ(cache.size(), c.withCurrencies ? 2 : 0);
    }
}

TEST(CurrencyStartUp, FirstAccountMakesTheFirstCurrencyTheDefault)
{
    CurrencyBook book;
    CurrencyCache cache(book.table());
    ASSERT_TRUE(cache.reload());
    EXPECT_FALSE(CurrencyStartUp::defaultAfterFirstAccount(cache).has_value());
    book.add(2, "EUR");
    book.add(1, "JPY");
    ASSERT_TRUE(cache.reload());
    EXPECT_EQ(CurrencyStartUp::defaultAfterFirstAccount(cache), std::optional<QString>(s("JPY")));
}

// NLG stands in two built-in rows: which one the stored currency is cannot be
// told, so it keeps its name.
TEST(CurrencyStartUp, RepairKeepsTheNameOfACodeOfTwoBuiltInRows)
{
    CurrencyBook book;
    book.add(1, "nlg", "dg", "Dutch Guilder");
    ASSERT_TRUE(CurrencyStartUp::repairRecords(book.table()));
    CurrencyCache cache(book.table());
    ASSERT_TRUE(cache.reload());
    ASSERT_EQ(cache.size(), 1);
    EXPECT_EQ(cache.displayText(0), s("Dutch Guilder (NLG)"));
}

}  // namespace
