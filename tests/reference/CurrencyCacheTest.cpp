#include "reference/CurrencyCache.h"

#include "CurrencyBook.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

namespace {

constexpr qint64 Max = std::numeric_limits<qint64>::max();
constexpr qint64 Min = std::numeric_limits<qint64>::min();
const double Inf = std::numeric_limits<double>::infinity();
const double NaN = std::numeric_limits<double>::quiet_NaN();

Money m(qint64 hundredths)
{
    return Money::fromHundredths(hundredths);
}
QString s(const char* text)
{
    return QString::fromUtf8(text);
}

class CurrencyCacheTest : public ::testing::Test {
protected:
    CurrencyBook book;
    CurrencyCache cache{book.table()};

    // A and B with a stored rate of 2 (A -> B) and C with none.
    void threeCurrencies()
    {
        book.add(1, "AAA", "a", "Alpha");
        book.add(2, "BBB", "b", "Beta", {{1, "0.50000"}});
        book.add(3, "CCC", "c", "Gamma");
        ASSERT_TRUE(cache.reload());
    }
};

TEST_F(CurrencyCacheTest, LoadsTheRecordsInNumberOrder)
{
    book.add(3, "CCC", "c", "Gamma");
    book.add(1, "AAA", "a", "Alpha");
    book.add(2, "BBB", "b", "Beta");
    ASSERT_TRUE(cache.reload());
    ASSERT_EQ(cache.size(), 3);
    const std::vector<std::pair<int, const char*>> expected = {{1, "AAA"}, {2, "BBB"}, {3, "CCC"}};
    for (size_t i = 0; i < expected.size(); ++i) {
        EXPECT_EQ(cache.entries()[i].number, expected[i].first);
        EXPECT_EQ(cache.entries()[i].code, s(expected[i].second));
    }
    EXPECT_EQ(cache.entries()[0].symbol, s("a"));
    EXPECT_EQ(cache.entries()[2].name, s("Gamma"));
    EXPECT_EQ(cache.displayText(1), s("Beta (BBB)"));
    EXPECT_EQ(cache.displayText(3), QString());
    EXPECT_EQ(cache.indexOf(u"CCC"), 2);
    EXPECT_EQ(cache.indexOf(u"ccc"), -1);
}

struct PairCase {
    const char* laterText;    // record 2's rate to 1; nullptr = missing
    const char* earlierText;  // record 1's rate to 2; nullptr = missing
    double expected;          // R[later][earlier]
};

TEST_F(CurrencyCacheTest, ReadsThePairFromTheLaterRecordAndFallsBackToTheEarlierOne)
{
    const PairCase cases[] = {
        {"2.00000", nullptr, 2.0},
        {"3.00000", "4.00000", 3.0},  // the later record decides
        {"1,5", nullptr, 1.5},        // lenient reading
        {nullptr, nullptr, 1.0},
        {"", "", 1.0},
        {"0.00000", nullptr, 1.0},
        {"abc", nullptr, 1.0},
        {"0.00000", "4.00000", 0.25},  // a tiny rate written as 0.00000
        {nullptr, "4.00000", 0.25},
        {"-3.00000", "4.00000", 0.25},  // negative counts as missing
        {"-3.00000", nullptr, 1.0},
        {"0.00000", "0.00000", 1.0},
        {"0.00000", "-2.00000", 1.0},
        {"0.00006", "15600.00000", 1.0 / 15600.0},  // the side of 1 or more decides
        {"0.50000", "3.00000", 1.0 / 3.0},
        {"0.50000", "0.40000", 0.5},  // neither is: the later record
    };
    for (const PairCase& c : cases) {
        CurrencyBook fresh;
        CurrencyCache pair(fresh.table());
        if (c.earlierText)
            fresh.add(1, "AAA", "a", "Alpha", {{2, c.earlierText}});
        else
            fresh.add(1, "AAA", "a", "Alpha");
        if (c.laterText)
            fresh.add(2, "BBB", "b", "Beta", {{1, c.laterText}});
        else
            fresh.add(2, "BBB", "b", "Beta");
        ASSERT_TRUE(pair.reload());
        const auto label =
            std::string(c.laterText ? c.laterText : "-") + " / " + (c.earlierText ? c.earlierText : "-");
        EXPECT_DOUBLE_EQ(pair.rateAt(1, 0), c.expected) << label;
        EXPECT_DOUBLE_EQ(pair.rateAt(0, 1), 1.0 / c.expected) << label;
        EXPECT_EQ(pair.rateAt(0, 0), 1.0) << label;
        EXPECT_EQ(pair.rateAt(1, 1), 1.0) << label;
    }
}

TEST_F(CurrencyCacheTest, RateLookupIsOneForEqualUnknownOrEmpty)
{
    EXPECT_EQ(cache.rate(u"AAA", u"BBB"), 1.0);  // empty cache
    threeCurrencies();
    EXPECT_DOUBLE_EQ(cache.rate(u"BBB", u"AAA"), 0.5);
    EXPECT_DOUBLE_EQ(cache.rate(u"AAA", u"BBB"), 2.0);
    EXPECT_EQ(cache.rate(u"AAA", u"CCC"), 1.0);
    EXPECT_EQ(cache.rate(u"AAA", u"AAA"), 1.0);
    EXPECT_EQ(cache.rate(u"XYZ", u"XYZ"), 1.0);
    EXPECT_EQ(cache.rate(u"AAA", u"XYZ"), 1.0);
    EXPECT_EQ(cache.rate(u"XYZ", u"BBB"), 1.0);
    EXPECT_EQ(cache.rateAt(-1, 0), 1.0);
    EXPECT_EQ(cache.rateAt(0, 3), 1.0);
}

TEST_F(CurrencyCacheTest, ReloadCountsEveryLoadAndSeesNewRecords)
{
    const quint64 before = cache.reloadCount();
    threeCurrencies();
    EXPECT_EQ(cache.reloadCount(), before + 1);
    book.add(4, "DDD");
    EXPECT_EQ(cache.size(), 3);
    ASSERT_TRUE(cache.reload());
    EXPECT_EQ(cache.size(), 4);
    EXPECT_EQ(cache.reloadCount(), before + 2);
    cache.clear();
    EXPECT_TRUE(cache.isEmpty());
}

TEST_F(CurrencyCacheTest, ConvertsRoundingHalfAwayFromZero)
{
    book.add(1, "AAA");
    book.add(2, "BBB", "b", "Beta", {{1, "2.00000"}});  // 1 B = 2 A, so A -> B is 0.5
    ASSERT_TRUE(cache.reload());
    const std::pair<qint64, qint64> cases[] = {
        {-150, -75}, {1, 1},    {-1, -1},           {0, 0},         {3, 2},
        {-3, -2},    {100, 50}, {Max, Max / 2 + 1}, {Min, Min / 2},
    };
    for (const auto& [amount, expected] : cases)
        EXPECT_EQ(cache.convert(m(amount), u"AAA", u"BBB").hundredths(), expected) << amount;
}

TEST_F(CurrencyCacheTest, ConversionSaturatesAndLeavesUnknownCodesAlone)
{
    book.add(1, "AAA");
    book.add(2, "BBB", "b", "Beta", {{1, "0.50000"}});  // A -> B is 2
    ASSERT_TRUE(cache.reload());
    EXPECT_EQ(cache.convert(m(Max), u"AAA", u"BBB").hundredths(), Max);
    EXPECT_EQ(cache.convert(m(Min), u"AAA", u"BBB").hundredths(), Min);
    EXPECT_EQ(cache.convert(m(-12345), u"AAA", u"XYZ").hundredths(), -12345);
    EXPECT_EQ(cache.convert(m(-12345), u"BBB", u"BBB").hundredths(), -12345);
}

TEST_F(CurrencyCacheTest, SumsConvertEachTermBeforeAdding)
{
    book.add(1, "AAA");
    book.add(2, "BBB", "b", "Beta", {{1, "2.00000"}});  // A -> B is 0.5
    ASSERT_TRUE(cache.reload());
    // Each 1 rounds up to 1 on its own; the unrounded total would give 1.
    const std::vector<CurrencyAmount> halves = {{m(1), s("AAA")}, {m(1), s("AAA")}};
    EXPECT_EQ(cache.convertedSum(halves, u"BBB").hundredths(), 2);

    const std::vector<CurrencyAmount> mixed = {{m(1000), s("AAA")}, {m(-300), s("BBB")}, {m(7), s("XYZ")}};
    EXPECT_EQ(cache.convertedSum(mixed, u"BBB").hundredths(), 500 - 300 + 7);
    EXPECT_EQ(cache.convertedSum({}, u"BBB").hundredths(), 0);
}

TEST_F(CurrencyCacheTest, SumsSaturateInsteadOfWrapping)
{
    book.add(1, "AAA");
    book.add(2, "BBB", "b", "Beta", {{1, "0.50000"}});  // A -> B is 2
    ASSERT_TRUE(cache.reload());
    const std::vector<CurrencyAmount> up = {
        {m(Max / 2), s("AAA")}, {m(Max / 2), s("AAA")}, {m(-5), s("BBB")}};
    EXPECT_EQ(cache.convertedSum(up, u"BBB").hundredths(), Max - 5);
    const std::vector<CurrencyAmount> down = {{m(Min), s("AAA")}, {m(Min), s("BBB")}};
    EXPECT_EQ(cache.convertedSum(down, u"BBB").hundredths(), Min);
}

TEST_F(CurrencyCacheTest, ShowsAmountsWithTheCachedSymbol)
{
    book.add(1, "USD", "$", "US Dollar");
    ASSERT_TRUE(cache.reload());
    LocaleValues before;  // negative-currency format 0: symbol first
    LocaleValues after;
    after.negativeCurrencyFormat = 5;
    EXPECT_EQ(cache.symbolOf(u"USD"), s("$"));
    EXPECT_EQ(cache.symbolOf(u"EUR"), QString());
    EXPECT_EQ(cache.amountText(m(-123456), u"USD", before), s("$-1 234.56"));
    EXPECT_EQ(cache.amountText(m(-123456), u"USD", after), s("-1 234.56$"));
    EXPECT_EQ(cache.amountText(m(-123456), u"EUR", before), s("-1 234.56"));
}

TEST_F(CurrencyCacheTest, StoringARateWritesBothRecordsWhicheverComesFirst)
{
    for (const bool fromIsEarlier : {true, false}) {
        CurrencyBook fresh;
        CurrencyCache pair(fresh.table());
        fresh.add(fromIsEarlier ? 1 : 2, "AAA");
        fresh.add(fromIsEarlier ? 2 : 1, "BBB");
        ASSERT_TRUE(pair.reload());
        const qint32 a = fromIsEarlier ? 1 : 2;
        const qint32 b = fromIsEarlier ? 2 : 1;

        ASSERT_TRUE(pair.storeRate(u"AAA", u"BBB", 2.0));
        EXPECT_EQ(fresh.rateText(a, b), s("2.00000"));
        EXPECT_EQ(fresh.rateText(b, a), s("0.50000"));
        EXPECT_EQ(pair.rate(u"AAA", u"BBB"), 2.0);
        EXPECT_EQ(pair.rate(u"BBB", u"AAA"), 0.5);

        ASSERT_TRUE(pair.reload());
        EXPECT_DOUBLE_EQ(pair.rate(u"AAA", u"BBB"), 2.0) << fromIsEarlier;
        EXPECT_DOUBLE_EQ(pair.rate(u"BBB", u"AAA"), 0.5) << fromIsEarlier;
    }
}

TEST_F(CurrencyCacheTest, RefusesRatesThatAreNotFiniteAndAboveZero)
{
    threeCurrencies();
    for (const double bad : {0.0, -0.0, -2.0, Inf, -Inf, NaN, 1e-320}) {
        EXPECT_FALSE(cache.storeRate(u"AAA", u"BBB", bad)) << bad;
        EXPECT_DOUBLE_EQ(cache.rate(u"AAA", u"BBB"), 2.0) << bad;
        EXPECT_EQ(book.rateText(2, 1), s("0.50000")) << bad;
        EXPECT_EQ(book.rateText(1, 2), s("<none>")) << bad;
    }
}

TEST_F(CurrencyCacheTest, RefusesEqualOrUncachedCodes)
{
    threeCurrencies();
    EXPECT_FALSE(cache.storeRate(u"AAA", u"AAA", 3.0));
    EXPECT_FALSE(cache.storeRate(u"AAA", u"XYZ", 3.0));
    EXPECT_FALSE(cache.storeRate(u"XYZ", u"AAA", 3.0));
    EXPECT_EQ(book.rateText(1, 1), s("<none>"));
    EXPECT_EQ(cache.rate(u"AAA", u"AAA"), 1.0);
}

TEST_F(CurrencyCacheTest, ATinyRateSurvivesAReloadInEitherOrder)
{
    for (const bool fromIsEarlier : {true, false}) {
        CurrencyBook fresh;
        CurrencyCache pair(fresh.table());
        fresh.add(fromIsEarlier ? 1 : 2, "AAA");
        fresh.add(fromIsEarlier ? 2 : 1, "BBB");
        ASSERT_TRUE(pair.reload());
        ASSERT_TRUE(pair.storeRate(u"AAA", u"BBB", 0.000001));
        EXPECT_EQ(fresh.rateText(fromIsEarlier ? 1 : 2, fromIsEarlier ? 2 : 1), s("0.00000"));
        ASSERT_TRUE(pair.reload());
        EXPECT_DOUBLE_EQ(pair.rate(u"AAA", u"BBB"), 0.000001) << fromIsEarlier;
        EXPECT_DOUBLE_EQ(pair.rate(u"BBB", u"AAA"), 1000000.0) << fromIsEarlier;
    }
}

TEST_F(CurrencyCacheTest, ATypedRateSurvivesAReloadToFiveDecimalsOfItsLargerSide)
{
    const double typed[] = {15600.0, 1.0 / 15600.0, 25000.0, 123456.78901, 1.1, 0.00004};
    for (const double rate : typed) {
        for (const bool fromIsEarlier : {true, false}) {
            CurrencyBook fresh;
            CurrencyCache pair(fresh.table());
            fresh.add(fromIsEarlier ? 1 : 2, "USD");
            fresh.add(fromIsEarlier ? 2 : 1, "IDR");
            ASSERT_TRUE(pair.reload());
            ASSERT_TRUE(pair.storeRate(u"USD", u"IDR", rate));
            const double larger = rate >= 1.0 ? rate : 1.0 / rate;
            const double kept = std::round(larger * 1e5) / 1e5;
            const double expected = rate >= 1.0 ? kept : 1.0 / kept;
            EXPECT_DOUBLE_EQ(pair.rate(u"USD", u"IDR"), expected) << rate << " " << fromIsEarlier;
            ASSERT_TRUE(pair.reload());
            EXPECT_DOUBLE_EQ(pair.rate(u"USD", u"IDR"), expected) << rate << " " << fromIsEarlier;
            EXPECT_DOUBLE_EQ(pair.rate(u"IDR", u"USD"), 1.0 / expected) << rate << " " << fromIsEarlier;
        }
    }
}

TEST_F(CurrencyCacheTest, AFailedWriteStoresNothingAnywhere)
{
    threeCurrencies();
    int writes = 0;
    book.store().setWriteFault([&writes] { return ++writes > 1; });  // the second record fails
    EXPECT_FALSE(cache.storeRate(u"AAA", u"CCC", 4.0));
    book.store().setWriteFault({});
    EXPECT_EQ(cache.rate(u"AAA", u"CCC"), 1.0);
    EXPECT_EQ(book.rateText(1, 3), s("<none>"));
    EXPECT_EQ(book.rateText(3, 1), s("<none>"));
}

TEST_F(CurrencyCacheTest, ATableWithOneCurrencyHasOnlyRateOne)
{
    book.add(1, "USD", "$", "US Dollar");
    ASSERT_TRUE(cache.reload());
    EXPECT_EQ(cache.rateAt(0, 0), 1.0);
    EXPECT_EQ(cache.rate(u"USD", u"EUR"), 1.0);
    EXPECT_FALSE(cache.storeRate(u"USD", u"USD", 2.0));
    EXPECT_EQ(cache.convert(m(-150), u"USD", u"USD").hundredths(), -150);
}

TEST_F(CurrencyCacheTest, RegisteringAddsAfterTheHighestNumberAndReloads)
{
    EXPECT_EQ(cache.registerCurrency(s("USD"), s("$"), s("US Dollar")), 1);
    EXPECT_EQ(cache.size(), 1);
    book.add(5, "GAP");
    EXPECT_EQ(cache.registerCurrency(s("eur"), s("eu"), s("Euro")), 6);
    ASSERT_EQ(cache.size(), 3);
    EXPECT_EQ(cache.entries()[2].code, s("EUR"));
    EXPECT_EQ(cache.entries()[2].number, 6);
    // A newly registered currency carries no rates.
    EXPECT_EQ(book.rateText(6, 1), s("<none>"));
    EXPECT_EQ(cache.rate(u"EUR", u"USD"), 1.0);
}

TEST_F(CurrencyCacheTest, RegisteringAnExistingCodeRewritesSymbolAndName)
{
    book.add(1, "USD", "$", "US Dollar");
    book.add(2, "SAR", "sr", "Saudi Riyal", {{1, "0.26667"}});
    ASSERT_TRUE(cache.reload());
    EXPECT_EQ(cache.registerCurrency(s("SAR"), s("r"), s("South African Rand")), 2);
    ASSERT_EQ(cache.size(), 2);
    EXPECT_EQ(cache.entries()[1].symbol, s("r"));
    EXPECT_EQ(cache.entries()[1].name, s("South African Rand"));
    EXPECT_EQ(book.rateText(2, 1), s("0.26667"));
}

TEST_F(CurrencyCacheTest, RegistrationFailureYieldsZero)
{
    book.store().setWriteFault([] { return true; });
    EXPECT_EQ(cache.registerCurrency(s("USD"), s("$"), s("US Dollar")), 0);
    book.store().setWriteFault({});
    EXPECT_TRUE(cache.isEmpty());
}

TEST_F(CurrencyCacheTest, SymbolEditsWriteTheRecordAndReload)
{
    threeCurrencies();
    const quint64 seen = cache.reloadCount();
    EXPECT_TRUE(cache.setSymbol(u"BBB", s("bb")));
    EXPECT_EQ(book.text(2, Prop::Symbol), s("bb"));
    EXPECT_EQ(cache.symbolOf(u"BBB"), s("bb"));
    EXPECT_GT(cache.reloadCount(), seen);
    EXPECT_FALSE(cache.setSymbol(u"XYZ", s("x")));
}

}  // namespace
