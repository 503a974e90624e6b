#include "reference/RateText.h"

#include <gtest/gtest.h>

#include <QLocale>

#include <cmath>
#include <limits>

namespace {

const double Inf = std::numeric_limits<double>::infinity();
const double NaN = std::numeric_limits<double>::quiet_NaN();

TEST(RateText, WritesFiveDecimalsWithAPoint)
{
    const std::pair<double, const char*> cases[] = {
        {2.0, "2.00000"},      {0.5, "0.50000"},      {30.12345, "30.12345"}, {30.123456, "30.12346"},
        {0.000004, "0.00000"}, {0.000005, "0.00001"}, {1.0, "1.00000"},       {1234567.5, "1234567.50000"},
    };
    for (const auto& [rate, text] : cases)
        EXPECT_EQ(rateText(rate), QString::fromUtf8(text)) << rate;
}

TEST(RateText, IgnoresTheDefaultLocale)
{
    const QLocale before;
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    const QString text = rateText(1.5);
    QLocale::setDefault(before);
    EXPECT_EQ(text, QStringLiteral("1.50000"));
}

TEST(RateText, UsableRatesAreFinitePositiveWithAFiniteReciprocal)
{
    const std::pair<double, bool> cases[] = {
        {1.0, true},   {0.5, true},  {1e-6, true},  {1e300, true}, {0.0, false},    {-0.0, false},
        {-1.0, false}, {Inf, false}, {-Inf, false}, {NaN, false},  {1e-320, false},  // subnormal: its
                                                                                     // reciprocal is infinite
    };
    for (const auto& [rate, usable] : cases)
        EXPECT_EQ(isUsableRate(rate), usable) << rate;
}

TEST(RateText, StoredRateTreatsZeroNegativeAndEmptyAsMissing)
{
    const std::pair<const char*, double> good[] = {
        {"2.00000", 2.0},      {"0.50000", 0.5}, {"1,234.56", 1234.56},
        {"1.234,56", 1234.56}, {"12'5", 12.5},   {"20 000", 20000.0},
    };
    for (const auto& [text, value] : good)
        EXPECT_EQ(storedRate(QString::fromUtf8(text)), std::optional<double>(value)) << text;
    for (const char* text : {"", "0.00000", "0", "-2.00000", "abc", "-", "   "})
        EXPECT_FALSE(storedRate(QString::fromUtf8(text)).has_value()) << text;
}

}  // namespace
