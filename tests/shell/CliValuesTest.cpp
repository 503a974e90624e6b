#include "shell/CliValues.h"

#include "store/KeyText.h"

#include <gtest/gtest.h>

namespace {

TEST(CliValuesTest, AmountsAreSignedAndLenient)
{
    const std::vector<std::pair<const char*, qint64>> good = {
        {"100", 10000}, {"-50", -5000}, {"1,234.56", 123456}, {"1.234,56", 123456}, {"-0.005", -1}, {"0", 0}};
    for (const auto& [text, hundredths] : good) {
        const auto m = CliValues::amount(QString::fromLatin1(text));
        ASSERT_TRUE(m) << text;
        EXPECT_EQ(m->hundredths(), hundredths) << text;
    }
    for (const char* bad : {"", "abc", "-", "99999999999999"})
        EXPECT_FALSE(CliValues::amount(QString::fromLatin1(bad))) << bad;
}

TEST(CliValuesTest, CurrencyCodesFindTheirFirstRow)
{
    EXPECT_EQ(CliValues::currencyRow(QStringLiteral("USD")), 161);
    EXPECT_EQ(CliValues::currencyRow(QStringLiteral("usd")), 161);
    EXPECT_EQ(CliValues::currencyRow(QStringLiteral("NLG")), 44);
    EXPECT_EQ(CliValues::currencyRow(QStringLiteral("XYZ")), std::nullopt);
    EXPECT_EQ(CliValues::currencyRow(QString()), std::nullopt);
}

TEST(CliValuesTest, RowsAreWholeNumbersFromZero)
{
    EXPECT_EQ(CliValues::row(QStringLiteral("0")), 0);
    EXPECT_EQ(CliValues::row(QStringLiteral("12")), 12);
    for (const char* bad : {"-1", "x", "", "1.5"})
        EXPECT_EQ(CliValues::row(QString::fromLatin1(bad)), std::nullopt) << bad;
}

TEST(CliValuesTest, JsonDatesKeepTheMillisecond)
{
    EXPECT_EQ(CliValues::jsonDate(*fileTimeFromLocal(LocalTime{2003, 12, 5, 14, 30, 5, 123})),
              QStringLiteral("2003-12-05T14:30:05.123"));
}

}  // namespace
