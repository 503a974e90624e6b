#include "reports/TextReportLayout.h"
#include "reports/FreeText.h"

#include "ReportBook.h"

#include <gtest/gtest.h>

namespace {

Money m(qint64 hundredths)
{
    return Money::fromHundredths(hundredths);
}

TEST(FreeText, ControlCharactersThatBreakFieldsBecomeBlanks)
{
    const std::pair<const char*, const char*> cases[] = {
        {"", ""},
        {"a\tb", "a b"},
        {"a\nb\rc\fd", "a b c d"},
        {"\r\n", "  "},
        {"a\vb\x01"
         "c",
         "a\vb\x01"
         "c"},  // only the four
        {"Grüße", "Grüße"},
    };
    for (const auto& [text, clean] : cases)
        EXPECT_EQ(cleanFreeText(QString::fromUtf8(text)), QString::fromUtf8(clean)) << text;
}

TEST(TextReportLayout, FieldsAreTabSeparatedAndTheLineEndsWithALineFeedOnly)
{
    EXPECT_EQ(TextReportLayout::line({}), QStringLiteral("\n"));
    EXPECT_EQ(TextReportLayout::line({QStringLiteral("a")}), QStringLiteral("a\n"));
    EXPECT_EQ(TextReportLayout::line({QStringLiteral("a"), QString(), QStringLiteral("c")}),
              QStringLiteral("a\t\tc\n"));
}

TEST(TextReportLayout, HeaderLinesOfTheThreeViews)
{
    EXPECT_EQ(TextReportLayout::headerLine(ReportKind::Categories),
              QStringLiteral("Category\tDeposit\tPayment\tTotal\tCurrency Report\n"));
    EXPECT_EQ(TextReportLayout::headerLine(ReportKind::Projects),
              QStringLiteral("Project\tDeposit\tPayment\tTotal\tCurrency Report\n"));
    EXPECT_EQ(TextReportLayout::headerLine(ReportKind::TransactionList),
              QStringLiteral("Account\tData\tDescription\tSum\tCurrency\tSum\tCurrency Report\tCategory\t"
                             "Project\tContact\tNote\tNo\tCleared\n"));
}

TEST(TextReportLayout, GroupLineHasPlainAmountsAndTheTotal)
{
    EXPECT_EQ(
        TextReportLayout::groupLine(QStringLiteral("Home:Food\tx"), m(123456), m(50), QStringLiteral("USD")),
        QStringLiteral("Home:Food x\t1234.56\t0.50\t1234.06\tUSD\n"));
    EXPECT_EQ(TextReportLayout::groupLine(QStringLiteral("Car"), m(0), m(100001), QStringLiteral("EUR")),
              QStringLiteral("Car\t0.00\t1000.01\t-1000.01\tEUR\n"));
}

TEST(TextReportLayout, TransactionLineHasThirteenCleanFields)
{
    TextReportLayout::TransactionFields row;
    row.accountName = QStringLiteral("Cash");
    row.date = at(2003, 12, 5, 14, 30);
    row.description = QStringLiteral("Rent\tDecember");
    row.amount = m(-123456);
    row.currency = QStringLiteral("EUR");
    row.converted = m(-185184);
    row.reportCurrency = QStringLiteral("USD");
    row.category = QStringLiteral("Home:Rent");
    row.project = QStringLiteral("Flat");
    row.contact = QStringLiteral("Smith\r\n");
    row.note = QStringLiteral("line1\nline2");
    row.number = QStringLiteral("12");
    row.mark = 1;
    const LocaleValues locale;
    EXPECT_EQ(
        TextReportLayout::transactionLine(row, locale),
        QStringLiteral("[Cash]\t12/5/2003\tRent December\t-1234.56\tEUR\t-1851.84\tUSD\tHome:Rent\tFlat\t"
                       "Smith  \tline1 line2\t12\tC\n"));
    row = {};
    EXPECT_EQ(TextReportLayout::transactionLine(row, locale).count(QLatin1Char('\t')), 12);
    EXPECT_TRUE(TextReportLayout::transactionLine(row, locale).endsWith(QStringLiteral("\t \n")));
}

TEST(TextReportLayout, MarkLetters)
{
    const std::pair<qint32, const char*> cases[] = {{0, " "}, {1, "C"}, {2, "R"}, {3, " "}, {-1, " "}};
    for (const auto& [mark, text] : cases)
        EXPECT_EQ(TextReportLayout::markText(mark), QString::fromUtf8(text)) << mark;
}

}  // namespace
