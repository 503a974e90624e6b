#include "reference/CurrencyPageForm.h"

#include "CurrencyBook.h"

#include <gtest/gtest.h>

namespace {

QString s(const char* text)
{
    return QString::fromUtf8(text);
}

class CurrencyPageFormTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        book.add(1, "USD", "$", "US Dollar");
        book.add(2, "EUR", "eu", "Euro", {{1, "1.25000"}});
        book.add(3, "JPY", "?", "Japanese Yen");
        ASSERT_TRUE(cache.reload());
        page.open();
    }

    CurrencyBook book;
    CurrencyCache cache{book.table()};
    CurrencyPageForm page{cache, s("EUR")};
};

TEST_F(CurrencyPageFormTest, OpensWithTheDefaultInTheComboAndNoListSelection)
{
    EXPECT_EQ(page.items(), (QStringList{s("US Dollar (USD)"), s("Euro (EUR)"), s("Japanese Yen (JPY)")}));
    EXPECT_EQ(page.comboRow(), 1);
    EXPECT_EQ(page.listRow(), -1);
    EXPECT_FALSE(page.isRateEnabled());
    EXPECT_EQ(page.suffixText(), QString());
    EXPECT_EQ(page.defaultLine(), s("Default: Euro (EUR)"));
    EXPECT_FALSE(page.editRate(s("3")));
    EXPECT_FALSE(page.editSuffix(s("x")));
    EXPECT_EQ(page.setDefault(), QString());
    EXPECT_EQ(page.defaultCode(), s("EUR"));
}

TEST_F(CurrencyPageFormTest, ShowsTheRateFromListToCombo)
{
    struct Case {
        int list;
        int combo;
        const char* rate;
        bool enabled;
    };
    const Case cases[] = {
        {1, 0, "1.25000", true},
        {0, 1, "0.80000", true},
        {0, 2, "1.00000", true},
        {2, 2, "1.00000", false},
    };
    for (const Case& c : cases) {
        page.selectComboRow(c.combo);
        page.selectListRow(c.list);
        EXPECT_EQ(page.rateText(), s(c.rate)) << c.list << "->" << c.combo;
        EXPECT_EQ(page.isRateEnabled(), c.enabled) << c.list << "->" << c.combo;
    }
    page.selectListRow(1);
    EXPECT_EQ(page.suffixText(), s("eu"));
    page.selectListRow(7);
    EXPECT_EQ(page.listRow(), -1);
    EXPECT_FALSE(page.isRateEnabled());
}

TEST_F(CurrencyPageFormTest, ARefreshIsNotTyping)
{
    // A view echoes every refreshed text back as an edit, as a line edit's
    // change notice would.
    int echoes = 0;
    page.setRateRefreshListener([&](const QString& text) {
        ++echoes;
        EXPECT_FALSE(page.editRate(text));
    });
    page.selectListRow(0);
    page.selectComboRow(2);
    EXPECT_EQ(echoes, 2);
    EXPECT_FALSE(page.isModified());
    EXPECT_EQ(book.rateText(1, 2), s("<none>"));
    EXPECT_EQ(book.rateText(1, 3), s("<none>"));
    EXPECT_EQ(book.rateText(3, 1), s("<none>"));
}

TEST_F(CurrencyPageFormTest, TypingStoresOnlyUsableRates)
{
    page.selectListRow(0);
    page.selectComboRow(2);
    const std::pair<const char*, bool> keystrokes[] = {
        {"", false}, {"0", false}, {"0.", false}, {"0.5", true}, {"0.5-", true}, {"-", false}, {"abc", false},
    };
    for (const auto& [text, stored] : keystrokes)
        EXPECT_EQ(page.editRate(s(text)), stored) << text;
    EXPECT_TRUE(page.isModified());
    EXPECT_EQ(book.rateText(1, 3), s("0.50000"));
    EXPECT_EQ(book.rateText(3, 1), s("2.00000"));
    EXPECT_DOUBLE_EQ(cache.rate(u"USD", u"JPY"), 0.5);
}

TEST_F(CurrencyPageFormTest, NothingTypedLeavesThePageUnmodified)
{
    page.selectListRow(0);
    page.selectComboRow(2);
    EXPECT_FALSE(page.editRate(s("0")));
    EXPECT_FALSE(page.isModified());
    EXPECT_EQ(cache.rate(u"USD", u"JPY"), 1.0);
}

TEST_F(CurrencyPageFormTest, SuffixEditsWriteTheSymbolAndKeepTheSelection)
{
    page.selectListRow(2);
    const quint64 seen = cache.reloadCount();
    EXPECT_TRUE(page.editSuffix(s("y")));
    EXPECT_EQ(book.text(3, Prop::Symbol), s("y"));
    EXPECT_GT(cache.reloadCount(), seen);
    EXPECT_EQ(page.listRow(), 2);
    EXPECT_EQ(page.suffixText(), s("y"));
    EXPECT_EQ(cache.symbolOf(u"JPY"), s("y"));
}

TEST_F(CurrencyPageFormTest, SelectionsFollowTheirCurrenciesAcrossAReload)
{
    page.selectListRow(2);                            // JPY
    page.selectComboRow(1);                           // EUR
    book.add(0, "AFA", "ap", "Afghanistan Afghani");  // sorts first
    ASSERT_TRUE(cache.reload());
    EXPECT_TRUE(page.followCache());
    EXPECT_EQ(page.listRow(), 3);
    EXPECT_EQ(page.comboRow(), 2);
    EXPECT_FALSE(page.followCache());
    EXPECT_TRUE(page.editRate(s("0.01")));
    EXPECT_DOUBLE_EQ(cache.rate(u"JPY", u"EUR"), 0.01);
}

TEST_F(CurrencyPageFormTest, SetDefaultTakesTheListCurrency)
{
    page.selectListRow(2);
    EXPECT_EQ(page.setDefault(), s("JPY"));
    EXPECT_EQ(page.defaultCode(), s("JPY"));
    EXPECT_EQ(page.defaultLine(), s("Default: Japanese Yen (JPY)"));
}

TEST(CurrencyPageForm, OneCurrencyKeepsTheRateEditDisabled)
{
    CurrencyBook book;
    book.add(1, "USD", "$", "US Dollar");
    CurrencyCache cache(book.table());
    ASSERT_TRUE(cache.reload());
    CurrencyPageForm page(cache, s("USD"));
    page.open();
    page.selectListRow(0);
    EXPECT_EQ(page.comboRow(), 0);
    EXPECT_FALSE(page.isRateEnabled());
    EXPECT_EQ(page.rateText(), s("1.00000"));
    EXPECT_FALSE(page.editRate(s("2")));
    EXPECT_EQ(book.rateText(1, 1), s("<none>"));
}

TEST(CurrencyPageForm, DefaultLineNamesAnUncachedDefault)
{
    CurrencyBook book;
    CurrencyCache cache(book.table());
    ASSERT_TRUE(cache.reload());
    CurrencyPageForm builtIn(cache, s("AFA"));
    builtIn.open();
    EXPECT_EQ(builtIn.defaultText(), s("Afghanistan Afghani (AFA)"));
    EXPECT_TRUE(builtIn.items().isEmpty());
    EXPECT_EQ(builtIn.comboRow(), -1);
    CurrencyPageForm unknown(cache, s("QQQ"));
    EXPECT_EQ(unknown.defaultText(), s("QQQ"));
}

}  // namespace
