#include "store/NumberParse.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace {

struct ParseCase {
    const char* text;
    double expected;
};

TEST(NumberParse, TakesTheRightmostSeparatorAsTheDecimalPoint)
{
    const ParseCase cases[] = {
        {"1,234.56", 1234.56}, {"1.234,56", 1234.56}, {"20 000.00", 20000.0}, {"12'5", 12.5},
        {"1=5", 1.5},          {"1;5", 1.5},          {"1@5", 1.5},           {"1|5", 1.5},
        {"1\\5", 1.5},         {"1,234", 1.234},      {"1.2.3", 12.3},        {"1,2,3.4", 123.4},
        {".5", 0.5},           {"5.", 5.0},           {"-.5", -0.5},
    };
    for (const ParseCase& c : cases)
        EXPECT_DOUBLE_EQ(parseLenientNumber(QString::fromUtf8(c.text)), c.expected) << c.text;
}

TEST(NumberParse, DropsEverythingButDigitsMinusAndThePoint)
{
    const ParseCase cases[] = {
        {"  42  ", 42.0},     {"-12.50", -12.5},
        {"$-12.50", -12.5},   {"+7", 7.0},
        {"(12)", 12.0},       {"EUR 3,50", 3.5},
        {"1e400", 1400.0},    {"0x1A", 1.0},
        {"12\t000", 12000.0}, {"\u00a01\u00a0000,5", 1000.5},
    };
    for (const ParseCase& c : cases)
        EXPECT_DOUBLE_EQ(parseLenientNumber(QString::fromUtf8(c.text)), c.expected) << c.text;
}

TEST(NumberParse, StopsWhereTheConversionStops)
{
    const ParseCase cases[] =
        {
            {"5-3", 5.0}, {"1-", 1.0},  {"12.5-", 12.5}, {"--1", 0.0}, {"-", 0.0},
            {".", 0.0},   {"-.", 0.0},  {"", 0.0},       {"   ", 0.0}, {"abc", 0.0},
            {"inf", 0.0}, {"nan", 0.0}, {"\u0663", 0.0},  // a digit, but not one the conversion reads
        };
    for (const ParseCase& c : cases)
        EXPECT_EQ(parseLenientNumber(QString::fromUtf8(c.text)), c.expected) << c.text;
}

TEST(NumberParse, KeepsTheSignOfNegativeZero)
{
    EXPECT_TRUE(std::signbit(parseLenientNumber(u"-0")));
    EXPECT_FALSE(std::signbit(parseLenientNumber(u"0")));
}

TEST(NumberParse, HugeDigitStringsGiveInfinityNotGarbage)
{
    const QString nines(400, QLatin1Char('9'));
    EXPECT_EQ(parseLenientNumber(nines), std::numeric_limits<double>::infinity());
    EXPECT_EQ(parseLenientNumber(QLatin1Char('-') + nines), -std::numeric_limits<double>::infinity());
    EXPECT_DOUBLE_EQ(parseLenientNumber(u"123456789012345678901234567890"), 1.2345678901234568e29);
}

TEST(NumberParse, TinyFractionsGiveZeroOrASmallValue)
{
    const QString tiny = QStringLiteral("0.") + QString(400, QLatin1Char('0')) + QLatin1Char('1');
    const double value = parseLenientNumber(tiny);
    EXPECT_GE(value, 0.0);
    EXPECT_LT(value, 1e-300);
    const QString longFraction = QStringLiteral("1.") + QString(1000, QLatin1Char('5'));
    EXPECT_DOUBLE_EQ(parseLenientNumber(longFraction), 1.5555555555555556);
}

}  // namespace
