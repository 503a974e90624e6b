#include "reports/AmountForms.h"

#include <gtest/gtest.h>

#include <limits>

namespace {

Money m(qint64 hundredths)
{
    return Money::fromHundredths(hundredths);
}

struct FormCase {
    qint64 hundredths;
    const char* plain;
    const char* grouped;
};

TEST(AmountForms, PlainAndGroupedForms)
{
    const FormCase cases[] = {
        {0, "0.00", "0.00"},
        {5, "0.05", "0.05"},
        {-5, "-0.05", "-0.05"},
        {100, "1.00", "1.00"},
        {-99, "-0.99", "-0.99"},
        {123456, "1234.56", "1 234.56"},
        {-123456789, "-1234567.89", "-1 234 567.89"},
        {std::numeric_limits<qint64>::max(), "92233720368547758.07", "92 233 720 368 547 758.07"},
        {std::numeric_limits<qint64>::min(), "-92233720368547758.08", "-92 233 720 368 547 758.08"},
    };
    const LocaleValues locale;
    for (const FormCase& c : cases) {
        EXPECT_EQ(AmountForms::plain(m(c.hundredths)), QString::fromUtf8(c.plain)) << c.hundredths;
        EXPECT_EQ(AmountForms::grouped(m(c.hundredths), locale), QString::fromUtf8(c.grouped))
            << c.hundredths;
    }
}

TEST(AmountForms, PlainIgnoresTheLocale)
{
    LocaleValues german;
    german.decimalSeparator = QLatin1Char(',');
    german.thousandsSeparator = QLatin1Char('.');
    EXPECT_EQ(AmountForms::plain(m(123456)), QStringLiteral("1234.56"));
    EXPECT_EQ(AmountForms::grouped(m(123456), german), QStringLiteral("1.234,56"));
}

TEST(AmountForms, CurrencyFormAppendsTheSymbolWhenThereIsOne)
{
    const LocaleValues locale;
    EXPECT_EQ(AmountForms::withCurrency(m(-123456), QStringLiteral("$"), locale),
              QStringLiteral("-1 234.56$"));
    EXPECT_EQ(AmountForms::withCurrency(m(-123456), QString(), locale), QStringLiteral("-1 234.56"));
}

}  // namespace
