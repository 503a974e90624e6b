// QIF files exported by other programs (kept outside the project, see
// shared/samples/qif/SOURCES.md): each imports without error into a fresh
// account, keeps the book's invariants, and a second import adds nothing.
// Skipped when the samples folder is absent.

#include "QifImportTestBook.h"

#include <QDir>
#include <QFile>

namespace {

QString samplesFolder()
{
    QString root = qEnvironmentVariable("TALLYRA_SAMPLES");
    if (root.isEmpty())
        root = QStringLiteral(TALLYRA_SAMPLES_DIR);
    return QDir(root).filePath(QStringLiteral("qif"));
}

class QifSamplesTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_folder = samplesFolder();
        if (m_folder.isEmpty() || !QDir(m_folder).exists())
            GTEST_SKIP() << "no QIF samples (TALLYRA_SAMPLES/qif)";
    }

    QByteArray sample(const char* name)
    {
        QFile file(QDir(m_folder).filePath(QString::fromLatin1(name)));
        EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << name;
        return file.readAll();
    }

    // Imports the sample twice into a fresh book; returns the first result.
    QifImportResult importTwice(QifImportTestBook& b, const char* name)
    {
        const QByteArray bytes = sample(name);
        const QifImportResult first = b.import(bytes);
        EXPECT_TRUE(first.ok) << name;
        EXPECT_TRUE(b.problems().isEmpty()) << name << b.problems().join('\n').toStdString();
        const size_t rows = b.rows().size();
        const QifImportResult second = b.import(bytes);
        EXPECT_TRUE(second.ok) << name;
        EXPECT_EQ(second.added, 0) << name;
        EXPECT_EQ(second.merged, first.added) << name;
        EXPECT_EQ(b.rows().size(), rows) << name;
        EXPECT_TRUE(b.problems().isEmpty()) << name;
        return first;
    }

    QString m_folder;
};

TEST_F(QifSamplesTest, EverySampleImportsAndReimportsAddNothing)
{
    const QStringList files = QDir(m_folder).entryList({QStringLiteral("*.qif")}, QDir::Files, QDir::Name);
    EXPECT_GE(files.size(), 15);
    for (const QString& file : files) {
        QifImportTestBook b;
        importTwice(b, file.toLatin1().constData());
    }
}

TEST_F(QifSamplesTest, MonthDayYearWithCrLf)
{
    QifImportTestBook b;
    EXPECT_EQ(importTwice(b, "crlf-mmddyy.qif").added, 3);
    const std::vector<QifRow> rows = b.rows();
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_EQ(startOfDay(rows[0].date), b.day(2010, 1, 1));
    EXPECT_EQ(startOfDay(rows[1].date), b.day(2010, 6, 1));
    EXPECT_EQ(startOfDay(rows[2].date), b.day(2010, 12, 29));
    EXPECT_EQ(b.categories.pathOf(rows[2].category), "Credit");
    EXPECT_EQ(rows[2].memo, "Reference");
}

TEST_F(QifSamplesTest, DayMonthYearWithThousandsSeparators)
{
    QifImportTestBook b;
    importTwice(b, "ddmmyyyy-thousands-separator.qif");
    const std::vector<QifRow> rows = b.rows();
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_EQ(startOfDay(rows[1].date), b.day(2010, 6, 1));
    EXPECT_EQ(rows[0].amount, -101000);
    EXPECT_EQ(rows[1].amount, -3002000);
    EXPECT_EQ(b.accountTotal(1), -101000 - 3002000 + 3000);
}

TEST_F(QifSamplesTest, UnsettledTwoDigitYearsFollowTheLocale)
{
    QifImportTestBook mdy;
    const QifImportResult r = importTwice(mdy, "odoo-dmy-two-digit-year.qif");
    EXPECT_EQ(r.added, 4);
    EXPECT_EQ(r.dropped, 1);  // 15/8/13 has no month 15

    QifImportTestBook dmy;
    dmy.locale.dateOrder = LocaleValues::DayMonthYear;
    EXPECT_EQ(importTwice(dmy, "odoo-dmy-two-digit-year.qif").added, 5);
    EXPECT_EQ(startOfDay(dmy.rows().front().date), dmy.day(2013, 3, 3));
}

// A year that stands first is followed by the month in every locale.
TEST_F(QifSamplesTest, YearFirstDottedDateIsYearMonthDay)
{
    QifImportTestBook mdy;
    importTwice(mdy, "gnucash-ymd-dotted-date.qif");
    EXPECT_EQ(startOfDay(mdy.rows().at(0).date), mdy.day(2024, 1, 2));
    QifImportTestBook dmy;
    dmy.locale.dateOrder = LocaleValues::DayMonthYear;
    importTwice(dmy, "gnucash-ymd-dotted-date.qif");
    EXPECT_EQ(startOfDay(dmy.rows().at(0).date), dmy.day(2024, 1, 2));
}

TEST_F(QifSamplesTest, ApostropheYearsClassesAndSplits)
{
    QifImportTestBook b;
    importTwice(b, "quiffen-apostrophe-year-classes-splits.qif");
    const qint32 testClass = b.projects.findByPath("Test class");
    EXPECT_NE(testClass, 0);
    bool sawWalmart = false;
    for (const QifRow& row : b.rows()) {
        if (row.description == "T-Mobile") {  // split: neither category nor class
            EXPECT_EQ(row.category, 0);
            EXPECT_EQ(row.project, 0);
        }
        if (row.description == "Walmart") {
            sawWalmart = true;
            EXPECT_EQ(startOfDay(row.date), b.day(2020, 2, 11));
            EXPECT_EQ(b.categories.pathOf(row.category), "Food:Groceries");
            EXPECT_EQ(row.mark, 2);
            EXPECT_EQ(row.number, "123");
        }
    }
    EXPECT_TRUE(sawWalmart);
    // The category list of the file is not imported as categories.
    EXPECT_EQ(b.categories.findByPath("Investments:Stocks"), 0);
}

TEST_F(QifSamplesTest, BrokenY2kDatesAndLeadingBlanksInMemos)
{
    QifImportTestBook b;
    EXPECT_EQ(importTwice(b, "gnucash-web-bank-y2k-099-dates.qif").added, 7);
    const std::vector<QifRow> rows = b.rows();
    ASSERT_EQ(rows.size(), 7u);
    EXPECT_EQ(startOfDay(rows.back().date), b.day(1999, 3, 25));
    EXPECT_EQ(rows.back().mark, 1);
    EXPECT_EQ(rows[1].memo, "                ADMINISTAFF COMP");
}

TEST_F(QifSamplesTest, EmptyRecordAndNoFinalLineEnd)
{
    QifImportTestBook b;
    const QifImportResult r = importTwice(b, "quiffen-iso-dates-no-final-eol.qif");
    EXPECT_EQ(r.added, 2);
    EXPECT_EQ(r.dropped, 1);
    EXPECT_EQ(b.rows().back().amount, -18480);
}

TEST_F(QifSamplesTest, FilesWithoutCaretImportNothing)
{
    for (const char* name : {"windows-1252-payee.qif", "utf8-bom-payee.qif"}) {
        QifImportTestBook b;
        const QifImportResult r = importTwice(b, name);
        EXPECT_EQ(r.added + r.merged + r.dropped, 0) << name;
    }
}

TEST_F(QifSamplesTest, AwkwardAmountsAndAddresses)
{
    QifImportTestBook b;
    EXPECT_EQ(importTwice(b, "nasty-plus-sign-big-amounts-utf8.qif").added, 6);
    QifImportTestBook padded;
    importTwice(padded, "splits-transfer-address-spacepadded.qif");
    const std::vector<QifRow> rows = padded.rows();
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_EQ(startOfDay(rows[0].date), padded.day(1994, 6, 1));
    EXPECT_EQ(rows[0].amount, -100000);
    EXPECT_EQ(rows[0].category, 0);
    EXPECT_EQ(rows[2].contact, "1010 Rodeo Dr.");
}

TEST_F(QifSamplesTest, FullExportWithListsAndInvestments)
{
    QifImportTestBook b;
    const QifImportResult r = importTwice(b, "quicken-full-export-lists-invst-nbsp.qif");
    EXPECT_GT(r.added, 0);
    EXPECT_GT(r.dropped, 0);  // the account list, budgets and memorized records carry no date
    for (const QifRow& row : b.rows())
        EXPECT_NE(row.date, 0);
}

}  // namespace
