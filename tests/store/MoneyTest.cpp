#include "store/Money.h"

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

struct TextCase {
    qint64 hundredths;
    const char* expected;
};

TEST(MoneyText, GroupsIntegerDigitsByThreesWithTwoDecimals)
{
    const TextCase cases[] = {
        {0, "0.00"},
        {1, "0.01"},
        {10, "0.10"},
        {-5, "-0.05"},
        {99999, "999.99"},
        {-99999, "-999.99"},
        {100000, "1 000.00"},
        {-100000, "-1 000.00"},
        {123456, "1 234.56"},
        {99999999, "999 999.99"},
        {-123456789, "-1 234 567.89"},
        {100000000000, "1 000 000 000.00"},
        {Max, "92 233 720 368 547 758.07"},
        {Min, "-92 233 720 368 547 758.08"},
    };
    const LocaleValues locale;
    for (const TextCase& c : cases)
        EXPECT_EQ(moneyText(m(c.hundredths), locale), QString::fromUtf8(c.expected)) << c.hundredths;
}

TEST(MoneyText, UsesTheLocaleSeparators)
{
    LocaleValues german;
    german.decimalSeparator = QLatin1Char(',');
    german.thousandsSeparator = QLatin1Char('.');
    EXPECT_EQ(moneyText(m(-123456789), german), QStringLiteral("-1.234.567,89"));

    LocaleValues ungrouped;
    ungrouped.thousandsSeparator = QChar();
    EXPECT_EQ(moneyText(m(-123456789), ungrouped), QStringLiteral("-1234567.89"));
}

TEST(MoneyText, SymbolGoesFirstOnlyForThePatternsThatLeadWithIt)
{
    const bool symbolFirst[16] = {true,  true, true,  true, false, false, false, false,
                                  false, true, false, true, true,  false, true,  false};
    LocaleValues locale;
    for (int format = 0; format < 16; ++format) {
        locale.negativeCurrencyFormat = format;
        const QString expected =
            symbolFirst[format] ? QStringLiteral("$-1 234.56") : QStringLiteral("-1 234.56$");
        EXPECT_EQ(moneyTextWithSymbol(m(-123456), QStringLiteral("$"), locale), expected) << format;
    }
}

TEST(MoneyText, EmptySymbolGivesThePlainText)
{
    LocaleValues locale;
    locale.negativeCurrencyFormat = 5;
    EXPECT_EQ(moneyTextWithSymbol(m(500), QString(), locale), QStringLiteral("5.00"));
}

struct ArithmeticCase {
    qint64 a;
    qint64 b;
    qint64 sum;
    qint64 difference;
};

TEST(MoneyArithmetic, SaturatesInsteadOfWrapping)
{
    const ArithmeticCase cases[] = {
        {150, -200, -50, 350}, {Max, 1, Max, Max - 1}, {Max, Max, Max, 0},      {Min, -1, Min, Min + 1},
        {Min, Min, Min, 0},    {Min, 1, Min + 1, Min}, {Max, -1, Max - 1, Max}, {-1, Max, Max - 1, Min},
        {0, Min, Min, Max},    {Max, Min, -1, Max},
    };
    for (const ArithmeticCase& c : cases) {
        EXPECT_EQ((m(c.a) + m(c.b)).hundredths(), c.sum) << c.a << " + " << c.b;
        EXPECT_EQ((m(c.a) - m(c.b)).hundredths(), c.difference) << c.a << " - " << c.b;
    }
}

TEST(MoneyArithmetic, NegatingTheMinimumGivesTheMaximum)
{
    EXPECT_EQ((-m(Min)).hundredths(), Max);
    EXPECT_EQ((-m(Max)).hundredths(), Min + 1);
    EXPECT_EQ((-m(-7)).hundredths(), 7);
}

TEST(MoneyArithmetic, SumStopsAtTheLimits)
{
    EXPECT_EQ(Money::sum(std::vector<Money>{m(100), m(-30), m(5)}).hundredths(), 75);
    EXPECT_EQ(Money::sum(std::vector<Money>{}).hundredths(), 0);
    EXPECT_EQ(Money::sum(std::vector<Money>{m(Max), m(Max), m(Max)}).hundredths(), Max);
    EXPECT_EQ(Money::sum(std::vector<Money>{m(Min), m(-1), m(Min)}).hundredths(), Min);
}

struct UnitsCase {
    double units;
    qint64 expected;
};

TEST(MoneyFromUnits, RoundsHalfAwayFromZero)
{
    const UnitsCase cases[] = {
        {1234.56, 123456},
        {-0.005, -1},
        {0.005, 1},
        {0.004, 0},
        {-0.004, 0},
        {0.015, 2},
        {-2.675, -268},
        {1.005, 100},  // the double nearest 1.005 lies just below it
        {9999999999.99, MaxEnteredHundredths},
        {-9999999999.99, -MaxEnteredHundredths},
        {9999999999.994, MaxEnteredHundredths},
    };
    for (const UnitsCase& c : cases) {
        const std::optional<Money> money = moneyFromUnits(c.units);
        ASSERT_TRUE(money.has_value()) << c.units;
        EXPECT_EQ(money->hundredths(), c.expected) << c.units;
    }
}

TEST(MoneyFromUnits, NegativeZeroIsPlainZero)
{
    const std::optional<Money> money = moneyFromUnits(-0.0);
    ASSERT_TRUE(money.has_value());
    EXPECT_EQ(money->hundredths(), 0);
    EXPECT_FALSE(money->isNegative());
}

TEST(MoneyFromUnits, RefusesNonFiniteAndOutOfRange)
{
    const double refused[] = {NaN,   Inf,    -Inf,      10000000000.0, -10000000000.0, 9999999999.995,
                              1e300, -1e300, 1e308 * 10};
    for (const double units : refused)
        EXPECT_FALSE(moneyFromUnits(units).has_value()) << units;
}

struct TypedCase {
    const char* text;
    qint64 expected;
};

TEST(MoneyFromTypedText, ReadsLenientlyThenRounds)
{
    const TypedCase cases[] = {
        {"", 0},
        {"abc", 0},
        {"1,234.56", 123456},
        {"1.234,56", 123456},
        {"-0.005", -1},
        {"0.004", 0},
        {"20 000", 2000000},
        {"9 999 999 999.99", MaxEnteredHundredths},
        {"-9,999,999,999.99", -MaxEnteredHundredths},
    };
    for (const TypedCase& c : cases) {
        const std::optional<Money> money = moneyFromTypedText(QString::fromUtf8(c.text));
        ASSERT_TRUE(money.has_value()) << c.text;
        EXPECT_EQ(money->hundredths(), c.expected) << c.text;
    }
}

TEST(MoneyFromTypedText, RefusesNumbersBeyondTheEntryRange)
{
    const QString refused[] = {QStringLiteral("10 000 000 000.00"), QStringLiteral("-10000000000"),
                               QString(400, QLatin1Char('9'))};
    for (const QString& text : refused)
        EXPECT_FALSE(moneyFromTypedText(text).has_value()) << text.left(20).toStdString();
}

struct ConvertCase {
    qint64 amount;
    double rate;
    qint64 expected;
};

TEST(MoneyConvert, RoundsHalfAwayFromZeroAndSaturates)
{
    const ConvertCase cases[] = {
        {-150, 0.5, -75},
        {1, 0.5, 1},
        {-1, 0.5, -1},
        {3, 0.5, 2},
        {-3, 0.5, -2},
        {2, 0.25, 1},
        {1, 0.49, 0},
        {10000, 1.95583, 19558},
        {12345, 0.0, 0},
        {-12345, -1.0, 12345},
        {Max, 1.0, Max},
        {Min, 1.0, Min},
        {9007199254740993, 1.0, 9007199254740993},
        {Max, 2.0, Max},
        {Min, 2.0, Min},
        {Min, -1.0, Max},
        {Max, -1.0, Min},  // Max as a double is 2^63
        {1, Inf, Max},
        {-1, Inf, Min},
        {1, -Inf, Min},
        {0, Inf, 0},
        {5, NaN, 0},
        {0, NaN, 0},
    };
    for (const ConvertCase& c : cases)
        EXPECT_EQ(convertHalfAwayFromZero(m(c.amount), c.rate).hundredths(), c.expected)
            << c.amount << " at " << c.rate;
}

TEST(MoneyConvert, MultipliesInDoublePrecision)
{
    // Products that a wider type would leave just under the half: 5 x 0.3 is
    // 1.4999... in long double but 1.5 in double.
    const ConvertCase cases[] = {
        {5, 0.3, 2},       {-5, 0.3, -2},
        {-145, 0.3, -44},  {-195, 0.3, -59},
        {5, 0.7, 4},       {-125, 0.7, -88},
        {-195, 0.7, -137}, {9007199254740993, 2.0, 18014398509481984},  // the amount itself as a double
    };
    for (const ConvertCase& c : cases)
        EXPECT_EQ(convertHalfAwayFromZero(m(c.amount), c.rate).hundredths(), c.expected)
            << c.amount << " at " << c.rate;
}

}  // namespace
