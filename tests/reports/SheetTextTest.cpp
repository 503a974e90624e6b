#include "reports/CsvReportWriter.h"
#include "reports/PlainDecimal.h"

#include <gtest/gtest.h>

#include <limits>

namespace {

TEST(SheetTextTest, PlainDecimalsAreExactAtEveryScale)
{
    EXPECT_EQ(plainDecimal(Money()), QStringLiteral("0.00"));
    EXPECT_EQ(plainDecimal(Money::fromHundredths(5)), QStringLiteral("0.05"));
    EXPECT_EQ(plainDecimal(Money::fromHundredths(-5)), QStringLiteral("-0.05"));
    EXPECT_EQ(plainDecimal(Money::fromHundredths(-123456)), QStringLiteral("-1234.56"));
    EXPECT_EQ(plainDecimal(Money::fromHundredths(100)), QStringLiteral("1.00"));
    // Beyond a double's 53 bits: still every digit.
    EXPECT_EQ(plainDecimal(Money::fromHundredths(std::numeric_limits<qint64>::max())),
              QStringLiteral("92233720368547758.07"));
    EXPECT_EQ(plainDecimal(Money::fromHundredths(std::numeric_limits<qint64>::min())),
              QStringLiteral("-92233720368547758.08"));
}

TEST(SheetTextTest, CsvFieldsAreQuotedOnlyWhenTheyMustBe)
{
    EXPECT_EQ(CsvReportWriter::field(QStringLiteral("Food:Bread")), QStringLiteral("Food:Bread"));
    EXPECT_EQ(CsvReportWriter::field(QString()), QString());
    EXPECT_EQ(CsvReportWriter::field(QStringLiteral("a,b")), QStringLiteral("\"a,b\""));
    EXPECT_EQ(CsvReportWriter::field(QStringLiteral("say \"hi\"")), QStringLiteral("\"say \"\"hi\"\"\""));
    EXPECT_EQ(CsvReportWriter::field(QStringLiteral("two\nlines")), QStringLiteral("\"two\nlines\""));
    EXPECT_EQ(CsvReportWriter::field(QStringLiteral("cr\r")), QStringLiteral("\"cr\r\""));
}

}  // namespace
