#include "StatementTestBook.h"

#include "interchange/CsvStatementSource.h"

namespace {

using Column = CsvMapping::Column;

class CsvImportTest : public ::testing::Test {
protected:
    StatementTestBook b;
};

// A European bank: semicolons, day.month.year, decimal commas, one signed
// amount column, a code page with a byte-order mark-free file.
CsvMapping european()
{
    CsvMapping m;
    m.columns = {Column::Date, Column::Skip, Column::Description, Column::Memo, Column::Amount};
    m.delimiter = u';';
    m.decimal = u',';
    m.dateFormat = QStringLiteral("dd.MM.yyyy");
    m.encoding = QStringLiteral("windows-1252");
    return m;
}

const QByteArray EuropeanFile = "Buchungstag;Valuta;Empf\xE4nger;Verwendungszweck;Betrag\r\n"
                                "15.01.2024;15.01.2024;B\xE4"
                                "ckerei;Br\xF6tchen;-3,50\r\n"
                                "16.01.2024;16.01.2024;\"Gehalt; Januar\";;\"2.000,00\"\r\n"
                                "16.01.2024;16.01.2024;Miete;;-850,00\r\n"
                                "\r\n";

// A card issuer: commas, month/day/year, separate debit and credit columns
// of unsigned amounts, a number and a category column, UTF-8 with its mark.
CsvMapping debitCredit()
{
    CsvMapping m;
    m.columns = {Column::Date,     Column::Number, Column::Description,
                 Column::Category, Column::Debit,  Column::Credit};
    m.dateFormat = QStringLiteral("MM/dd/yy");
    return m;
}

const QByteArray CardFile = "\xEF\xBB\xBF"
                            "Date,Ref,Payee,Category,Debit,Credit\n"
                            "01/05/24,881,Hardware store,Home:Repairs,42.10,\n"
                            "01/07/24,882,Payment - thank you,,,100.00\n"
                            "01/07/24,883,Hardware store,Home:Repairs,42.10,\n";

TEST_F(CsvImportTest, EuropeanStatementWithSignedAmounts)
{
    const StatementImportResult r = b.importBytes(EuropeanFile, StatementFormat::Csv, european());
    ASSERT_TRUE(r.ok) << b.ui.messages.join('\n').toStdString();
    EXPECT_EQ(r.added, 3);
    const std::vector<QifRow> rows = b.rows();
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_EQ(rows[0].date, b.day(2024, 1, 15, 0, 0, 0, 1));
    EXPECT_EQ(rows[0].description, QString::fromUtf8("B\xC3\xA4"
                                                     "ckerei"));
    EXPECT_EQ(rows[0].memo, QString::fromUtf8("Br\xC3\xB6tchen"));
    EXPECT_EQ(rows[0].amount, -350);
    EXPECT_EQ(rows[1].description, "Gehalt; Januar");
    EXPECT_EQ(rows[1].amount, 200000);
    EXPECT_EQ(rows[2].balance, 200000 - 350 - 85000);
    EXPECT_EQ(b.accountTotal(1), 114650);
    EXPECT_TRUE(b.problems().isEmpty()) << b.problems().join('\n').toStdString();
}

TEST_F(CsvImportTest, DebitAndCreditColumnsWithCategories)
{
    const StatementImportResult r = b.importBytes(CardFile, StatementFormat::Csv, debitCredit());
    ASSERT_TRUE(r.ok) << b.ui.messages.join('\n').toStdString();
    const std::vector<QifRow> rows = b.rows();
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_EQ(startOfDay(rows[0].date), b.day(2024, 1, 5));
    EXPECT_EQ(rows[0].amount, -4210);
    EXPECT_EQ(rows[0].number, "881");
    EXPECT_EQ(b.categories.pathOf(rows[0].category), "Home:Repairs");
    EXPECT_EQ(rows[1].amount, 10000);
    EXPECT_EQ(rows[1].category, 0);
    EXPECT_EQ(rows[2].category, rows[0].category);
    EXPECT_EQ(b.accountTotal(1), 10000 - 8420);
}

TEST_F(CsvImportTest, ReimportAddsNothingAndAnOverlappingFileOnlyItsNewRows)
{
    ASSERT_TRUE(b.importBytes(EuropeanFile, StatementFormat::Csv, european()).ok);
    const StatementImportResult again = b.importBytes(EuropeanFile, StatementFormat::Csv, european());
    EXPECT_EQ(again.added, 0);
    EXPECT_EQ(again.merged, 3);

    const QByteArray next = "Buchungstag;Valuta;Empf\xE4nger;Verwendungszweck;Betrag\r\n"
                            "16.01.2024;16.01.2024;Miete;;-850,00\r\n"
                            "16.01.2024;16.01.2024;Miete;;-850,00\r\n"
                            "01.02.2024;01.02.2024;Strom;;-61,20\r\n";
    const StatementImportResult r = b.importBytes(next, StatementFormat::Csv, european());
    ASSERT_TRUE(r.ok);
    // The first rent matches the one imported; the second is a second payment.
    EXPECT_EQ(r.merged, 1);
    EXPECT_EQ(r.added, 2);
    EXPECT_EQ(b.accountTotal(1), 114650 - 85000 - 6120);
    EXPECT_TRUE(b.problems().isEmpty());
}

TEST_F(CsvImportTest, BadRowsRefuseTheFileWithTheirLineAndWriteNothing)
{
    b.addTransaction(LocalTime{2024, 1, 2, 9, 0, 0, 0}, "Opening", 100);
    const qint64 before = b.transactionCount();
    const QByteArray head = "Buchungstag;Valuta;Empfaenger;Zweck;Betrag\r\n15.01.2024;x;Ok;;-1,00\r\n";
    struct Case {
        QByteArray rows;
        const char* message;
    };
    const Case cases[] = {
        {"30.02.2024;x;No such day;;-1,00\r\n", "Line 3: \"30.02.2024\" is no date in the form dd.MM.yyyy."},
        {"16.01.2024;x;Ragged\r\n", "Line 3: the row has 3 fields, the mapping needs 5."},
        {"16.01.2024;x;Letters;;zwei Euro\r\n", "Line 3: \"zwei Euro\" is no amount."},
        {"16.01.2024;x;Empty;;\r\n", "Line 3: the row has no amount."},
        {"16.01.2024;x;\"Open quote;;-1,00\r\n", "Line 3: a quoted field is not closed."},
        {QByteArray("\x00\x9c\xff\x01;\x02", 6), "Line 3: the row has 2 fields, the mapping needs 5."},
    };
    for (const Case& c : cases) {
        b.ui.messages.clear();
        const StatementImportResult r = b.importBytes(head + c.rows, StatementFormat::Csv, european());
        EXPECT_FALSE(r.ok) << c.message;
        EXPECT_EQ(b.ui.messages.value(0), QString::fromUtf8(c.message));
        EXPECT_EQ(b.transactionCount(), before);
    }
    CsvMapping noAmount = european();
    noAmount.columns = {Column::Date, Column::Description};
    b.ui.messages.clear();
    EXPECT_FALSE(b.importBytes(head, StatementFormat::Csv, noAmount).ok);
    EXPECT_EQ(b.ui.messages.value(0), CsvMapping::NoAmountColumnText);
}

}  // namespace
