#include "interchange/CsvReader.h"
#include "interchange/CsvAmount.h"
#include "interchange/CsvMapping.h"
#include "interchange/CsvText.h"

#include <gtest/gtest.h>

namespace {

std::vector<CsvRow> readAll(const QString& text, QChar delimiter = u',', QString* failure = nullptr)
{
    CsvReader reader(text, delimiter);
    std::vector<CsvRow> rows;
    for (std::optional<CsvRow> row = reader.next(); row; row = reader.next())
        rows.push_back(*row);
    if (failure)
        *failure = reader.failure();
    return rows;
}

TEST(CsvReaderTest, QuotedFieldsHoldDelimitersBreaksAndDoubledQuotes)
{
    const std::vector<CsvRow> rows = readAll(
        QStringLiteral("a,\"b,1\",c\r\n\"multi\r\nline\",\"say \"\"hi\"\"\",\r\nx,5\" tall,\"\"\nlast"));
    ASSERT_EQ(rows.size(), 4u);
    EXPECT_EQ(rows[0].fields, (QStringList{"a", "b,1", "c"}));
    EXPECT_EQ(rows[0].line, 1);
    EXPECT_EQ(rows[1].fields, (QStringList{"multi\r\nline", "say \"hi\"", ""}));
    EXPECT_EQ(rows[1].line, 2);
    // A quote inside an unquoted field is text.
    EXPECT_EQ(rows[2].fields, (QStringList{"x", "5\" tall", ""}));
    EXPECT_EQ(rows[2].line, 4);
    EXPECT_EQ(rows[3].fields, (QStringList{"last"}));
    EXPECT_EQ(rows[3].line, 5);
}

TEST(CsvReaderTest, BlankRowsAndLineEndsOfEveryKind)
{
    const std::vector<CsvRow> rows = readAll(QStringLiteral("a;b\r\r\n;\n\rc;d"), u';');
    ASSERT_EQ(rows.size(), 5u);
    EXPECT_FALSE(rows[0].isBlank());
    EXPECT_TRUE(rows[1].isBlank());  // the empty line after a lone CR
    EXPECT_TRUE(rows[2].isBlank());  // only a delimiter
    EXPECT_EQ(rows[4].fields, (QStringList{"c", "d"}));
    EXPECT_EQ(rows[4].line, 5);
}

TEST(CsvReaderTest, FaultsNameTheLine)
{
    QString failure;
    readAll(QStringLiteral("a,b\n\"open\nstill open"), u',', &failure);
    EXPECT_EQ(failure, "Line 2: a quoted field is not closed.");
    readAll(QStringLiteral("a\nb\n\"q\"x,1"), u',', &failure);
    EXPECT_EQ(failure, "Line 3: text follows a closing quote.");
}

TEST(CsvAmountTest, SignsSeparatorsAndRounding)
{
    struct Case {
        const char* text;
        QChar decimal;
        std::optional<qint64> hundredths;
    };
    const Case cases[] = {
        {"12.50", u'.', 1250},
        {"-12.5", u'.', -1250},
        {"12.50-", u'.', -1250},
        {"(1,234.56)", u'.', -123456},
        {"1.234,56", u',', 123456},
        {"-1 234,5", u',', -123450},
        {"$ 7", u'.', 700},
        {"EUR 3,10", u',', 310},
        {"0.005", u'.', 1},
        {"0.004", u'.', 0},
        {"1'000.00", u'.', 100000},
        {"", u'.', std::nullopt},
        {"-", u'.', std::nullopt},
        {"1.2.3", u',', 12300},
        {"1,2,3", u',', std::nullopt},
        {"--5", u'.', std::nullopt},
        {"12#", u'.', std::nullopt},
        {"99999999999999", u'.', std::nullopt},
    };
    for (const Case& c : cases) {
        const std::optional<Money> m = parseCsvAmount(QString::fromUtf8(c.text), c.decimal);
        ASSERT_EQ(m.has_value(), c.hundredths.has_value()) << c.text;
        if (m) {
            EXPECT_EQ(m->hundredths(), *c.hundredths) << c.text;
        }
    }
}

TEST(CsvTextTest, AByteOrderMarkWinsOverTheEncoding)
{
    EXPECT_EQ(decodeCsvText(QByteArray("\xEF\xBB\xBFM\xC3\xBCnze"), QStringLiteral("windows-1252")),
              QString::fromUtf8("M\xC3\xBCnze"));
    EXPECT_EQ(decodeCsvText(QByteArray("\xFF\xFEO\0k\0", 6), QStringLiteral("UTF-8")), QStringLiteral("Ok"));
    EXPECT_EQ(decodeCsvText(QByteArray("M\xFCnze"), QStringLiteral("windows-1252")),
              QString::fromUtf8("M\xC3\xBCnze"));
    EXPECT_EQ(decodeCsvText(QByteArray("x"), QStringLiteral("no-such-encoding")), std::nullopt);
}

TEST(CsvMappingTest, SavedTextRoundTripsEveryCharacter)
{
    CsvMapping m;
    ASSERT_TRUE(CsvMapping::parseColumns(QStringLiteral("date, skip,description,debit,credit,memo")));
    m.columns = *CsvMapping::parseColumns(QStringLiteral("date, skip,description,debit,credit,memo"));
    m.delimiter = u'\t';
    m.quote = u'\'';
    m.decimal = u',';
    m.dateFormat = QStringLiteral("dd.MM.yy & hh=mm");
    m.headerRows = 3;
    m.encoding = QStringLiteral("ISO-8859-15");
    EXPECT_EQ(CsvMapping::fromText(m.toText()), m);
    EXPECT_FALSE(m.toText().contains(u','));
    EXPECT_EQ(m.problem(), QString());

    QString error;
    EXPECT_FALSE(CsvMapping::parseColumns(QStringLiteral("date,price"), &error));
    EXPECT_TRUE(error.startsWith("Unknown column \"price\""));
    EXPECT_FALSE(CsvMapping::fromText(QStringLiteral("columns=date&header=x")));
    m.columns = {CsvMapping::Column::Date, CsvMapping::Column::Memo};
    EXPECT_EQ(m.problem(), CsvMapping::NoAmountColumnText);
}

}  // namespace
