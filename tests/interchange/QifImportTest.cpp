#include "QifImportTestBook.h"

#include "store/KeyText.h"

#include <QTemporaryDir>

namespace {

class QifImportTest : public ::testing::Test {
protected:
    QifImportTestBook b;
};

const QByteArray ThreeRecords =
    "!Type:Bank\n"
    "D1/15/24\nT-12.50\nPGrocer\nMweekly shop\nN101\nA1 Main St\nA\nC*\nLFood:Groceries/Home\n^\n"
    "D1/16/24\nT2,000.00\nPEmployer\nLSalary\n^\n"
    "D1/14/24\nT-100\nL[Savings]\nCX\n^\n";

TEST_F(QifImportTest, AddsEveryRecordWithItsFields)
{
    const QifImportResult r = b.import(ThreeRecords);
    ASSERT_TRUE(r.ok);
    EXPECT_EQ(r.added, 3);
    EXPECT_EQ(r.merged, 0);
    EXPECT_EQ(r.dropped, 0);
    EXPECT_FALSE(r.stopped);

    const std::vector<QifRow> rows = b.rows();
    ASSERT_EQ(rows.size(), 3u);
    // In date order, each placed just after the start of its day.
    EXPECT_EQ(rows[0].date, b.day(2024, 1, 14, 0, 0, 0, 1));
    EXPECT_EQ(rows[0].key, fullKey(1, rows[0].date));
    EXPECT_EQ(rows[0].description, "untitled transaction");
    EXPECT_EQ(rows[0].category, 0);  // a transfer comes in as a plain transaction
    EXPECT_EQ(rows[0].mark, 2);
    EXPECT_EQ(rows[0].amount, -10000);
    EXPECT_EQ(rows[0].balance, -10000);

    const QifRow& grocer = rows[1];
    EXPECT_EQ(grocer.description, "Grocer");
    EXPECT_EQ(grocer.amount, -1250);
    EXPECT_EQ(grocer.memo, "weekly shop");
    EXPECT_EQ(grocer.number, "101");
    EXPECT_EQ(grocer.contact, "1 Main St");
    EXPECT_EQ(grocer.mark, 1);
    EXPECT_EQ(grocer.currency, "USD");
    EXPECT_EQ(grocer.importMark, 0);
    EXPECT_EQ(b.categories.pathOf(grocer.category), "Food:Groceries");
    EXPECT_EQ(b.projects.pathOf(grocer.project), "Home");
    EXPECT_EQ(grocer.projectKey, fullKey(grocer.project, grocer.date));
    EXPECT_EQ(grocer.balance, -11250);

    EXPECT_EQ(b.categories.pathOf(rows[2].category), "Salary");
    EXPECT_EQ(rows[2].project, 0);
    EXPECT_EQ(rows[2].projectKey, "");
    EXPECT_EQ(b.accountTotal(1), 188750);
    EXPECT_TRUE(b.problems().isEmpty()) << b.problems().join('\n').toStdString();
}

TEST_F(QifImportTest, ExistingCategoriesAndProjectsAreFoundIgnoringCase)
{
    const qint32 food = b.categories.createByPath("Food:Groceries");
    const qint32 home = b.projects.createByPath("Home");
    ASSERT_TRUE(b.import("D1/2/24\nT1\nLfood:GROCERIES/HOME\n^\nD1/3/24\nT1\nLFood:Groceries/Home\n^\n").ok);
    for (const QifRow& row : b.rows()) {
        EXPECT_EQ(row.category, food);
        EXPECT_EQ(row.project, home);
    }
    EXPECT_EQ(b.categories.findByPath("food:groceries"), food);
    EXPECT_EQ(b.categories.tree().records().size(), 3u);  // root, Food, Groceries: nothing made twice
}

TEST_F(QifImportTest, ProjectTotalsAreUpdatedWhenAClassWasNamed)
{
    ASSERT_TRUE(b.import("D1/2/24\nT-30\nLAuto:Fuel/Trip\n^\nD1/3/24\nT5\nLAuto:Fuel/Trip\n^\n").ok);
    const qint32 trip = b.projects.findByPath("Trip");
    ASSERT_NE(trip, 0);
    const auto totals = b.totals.totalsOf(trip);
    ASSERT_TRUE(totals);
    EXPECT_TRUE(totals->valid);
    EXPECT_EQ(totals->ownDeposits.hundredths(), 500);
    EXPECT_EQ(totals->ownPayments.hundredths(), 3000);
    EXPECT_TRUE(b.ui.progressLabels.contains("Update Projects..."));
}

TEST_F(QifImportTest, ReimportingTheSameFileAddsNothing)
{
    ASSERT_TRUE(b.import(ThreeRecords).ok);
    const std::vector<QifRow> before = b.rows();
    const QifImportResult again = b.import(ThreeRecords);
    ASSERT_TRUE(again.ok);
    EXPECT_EQ(again.added, 0);
    EXPECT_EQ(again.merged, 3);
    const std::vector<QifRow> after = b.rows();
    ASSERT_EQ(after.size(), before.size());
    for (size_t i = 0; i < after.size(); ++i) {
        EXPECT_EQ(after[i].key, before[i].key);
        EXPECT_EQ(after[i].importMark, 1);
    }
    // The next import clears the marks of the previous one first.
    ASSERT_TRUE(b.import("D1/1/20\nT1\n^\n").ok);
    for (const QifRow& row : b.rows())
        EXPECT_EQ(row.importMark, 0) << row.description.toStdString();
}

TEST_F(QifImportTest, AMatchUpdatesMemoAndRaisesTheMark)
{
    const QString kept =
        b.addTransaction({2024, 1, 15, 9, 0, 0, 0}, "Grocer", -1250, "101", 0, "old memo", 2);
    const QString cleared = b.addTransaction({2024, 1, 15, 9, 5, 0, 0}, "Bakery", -300, "", 0, "bread", 0);
    const QifImportResult r = b.import("D1/15/24\nT-12.50\nPGrocer\nN101\nMnew memo\nC*\n^\n"
                                       "D1/15/2024\nT-3\nPBakery\nCX\n^\n");
    ASSERT_TRUE(r.ok);
    EXPECT_EQ(r.merged, 2);
    EXPECT_EQ(r.added, 0);
    const std::vector<QifRow> rows = b.rows();
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[0].key, kept);
    EXPECT_EQ(rows[0].memo, "new memo");
    EXPECT_EQ(rows[0].mark, 2);  // never lowered
    EXPECT_EQ(rows[1].key, cleared);
    EXPECT_EQ(rows[1].memo, "");  // an empty memo in the file clears it
    EXPECT_EQ(rows[1].mark, 2);
    EXPECT_EQ(b.accountTotal(1), -1550);  // balances recomputed even without new records
}

TEST_F(QifImportTest, EachCompareFieldMustBeEqualToMatch)
{
    b.addTransaction({2024, 1, 15, 9, 0, 0, 0}, "Grocer", -1250, "101", 0);
    const char* others[] = {
        "D1/16/24\nT-12.50\nPGrocer\nN101\n^\n",         // another day
        "D1/15/24\nT-12.51\nPGrocer\nN101\n^\n",         // another amount
        "D1/15/24\nT-12.50\nPgrocer\nN101\n^\n",         // description compared with case
        "D1/15/24\nT-12.50\nPGrocer\nN102\n^\n",         // another number
        "D1/15/24\nT-12.50\nPGrocer\n^\n",               // no number
        "D1/15/24\nT-12.50\nPGrocer\nN101\nLFood\n^\n",  // another category
    };
    for (const char* qif : others) {
        QifImportTestBook fresh;
        fresh.addTransaction({2024, 1, 15, 9, 0, 0, 0}, "Grocer", -1250, "101", 0);
        const QifImportResult r = fresh.import(qif);
        ASSERT_TRUE(r.ok);
        EXPECT_EQ(r.merged, 0) << qif;
        EXPECT_EQ(r.added, 1) << qif;
    }
    // The class does not take part: the same record with a class still matches.
    const QifImportResult r = b.import("D1/15/24\nT-12.50\nPGrocer\nN101\nL/Trip\n^\n");
    EXPECT_EQ(r.merged, 1);
}

TEST_F(QifImportTest, ARecordWithoutPayeeFindsItsUntitledTransactionAgain)
{
    ASSERT_TRUE(b.import("D1/15/24\nT-5\n^\n").ok);
    const QifImportResult again = b.import("D1/15/24\nT-5\n^\n");
    EXPECT_EQ(again.added, 0);
    EXPECT_EQ(again.merged, 1);
}

TEST_F(QifImportTest, TwoIdenticalRecordsAgainstOneTransaction)
{
    b.addTransaction({2024, 1, 15, 9, 0, 0, 0}, "Coffee", -350);
    const QByteArray twice = "D1/15/24\nT-3.50\nPCoffee\n^\nD1/15/24\nT-3.50\nPCoffee\n^\n";
    const QifImportResult r = b.import(twice);
    EXPECT_EQ(r.merged, 1);  // the first merges
    EXPECT_EQ(r.added, 1);   // the second finds the transaction marked
    const QifImportResult again = b.import(twice);
    EXPECT_EQ(again.merged, 2);
    EXPECT_EQ(again.added, 0);
}

TEST_F(QifImportTest, IdenticalRecordsOfOneFileAreNotMergedIntoEachOther)
{
    // Two coffees on one day are two transactions, and stay two on re-import.
    const QByteArray twice = "D1/15/24\nT-3.50\nPCoffee\n^\nD1/15/24\nT-3.50\nPCoffee\n^\n";
    EXPECT_EQ(b.import(twice).added, 2);
    const QifImportResult again = b.import(twice);
    EXPECT_EQ(again.added, 0);
    EXPECT_EQ(again.merged, 2);
    EXPECT_EQ(b.rows().size(), 2u);
}

TEST_F(QifImportTest, NewTransactionsFollowTheDaysTransactionsInFileOrder)
{
    const QString existing = b.addTransaction({2024, 1, 15, 18, 0, 0, 0}, "Evening", -1);
    const QString tonight = b.addTransaction({2024, 3, 5, 18, 0, 0, 0}, "Tonight", 7);
    ASSERT_TRUE(b.import("D1/16/24\nPLater\nT1\n^\nD1/15/24\nPFirst\nT2\n^\nD1/15/24\nPSecond\nT3\n^\n"
                         "D3/5/24\nPToday\nT4\n^\nD3/5/24\nPToday too\nT5\n^\n")
                    .ok);
    const std::vector<QifRow> rows = b.rows();
    ASSERT_EQ(rows.size(), 7u);
    EXPECT_EQ(rows[0].key, existing);
    EXPECT_EQ(rows[1].description, "First");
    EXPECT_EQ(rows[1].date, b.day(2024, 1, 15, 18, 0, 0, 1));
    EXPECT_EQ(rows[2].description, "Second");
    EXPECT_EQ(rows[2].date, b.day(2024, 1, 15, 18, 0, 0, 2));
    EXPECT_EQ(rows[3].description, "Later");
    // Today's records take the clock's time.
    EXPECT_EQ(rows[4].description, "Today");
    EXPECT_EQ(rows[4].date, b.day(2024, 3, 5, 10, 0, 0, 1));
    EXPECT_EQ(rows[5].description, "Today too");
    EXPECT_EQ(rows[5].date, b.day(2024, 3, 5, 10, 0, 0, 2));
    // A transaction later today than the clock stays after them, its balance moved on.
    EXPECT_EQ(rows[6].key, tonight);
    EXPECT_EQ(rows[6].balance, -1 + 200 + 300 + 100 + 400 + 500 + 7);
    EXPECT_TRUE(b.problems().isEmpty()) << b.problems().join('\n').toStdString();
}

TEST_F(QifImportTest, RecordsWithoutAValidDateOrAmountAreDroppedWhole)
{
    // The first date settles "mdy"; 00/00/00 alone would have put the year first.
    const QifImportResult r = b.import("D1/13/2024\nPSettles\n^\n"
                                       "D00/00/00\nT1\nPZero\nLZeroCat/ZeroClass\n^\n"
                                       "D2/31/24\nT1\nPNo such day\nLBadDay\n^\n"
                                       "D07/04/10000\nT1\nPToo late\n^\n"
                                       "T1\nPNo date\n^\n"
                                       "D1/1/24\nT99999999999999999999\nPHuge\nLHugeCat\n^\n"
                                       "D1/2/24\nT--1\nPZero amount\n^\n");
    ASSERT_TRUE(r.ok);
    EXPECT_EQ(r.dropped, 5);
    EXPECT_EQ(r.added, 2);
    const std::vector<QifRow> rows = b.rows();
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[0].description, "Zero amount");
    EXPECT_EQ(rows[0].amount, 0);
    // A dropped record leaves nothing behind, not even its category or class.
    EXPECT_EQ(b.categories.tree().records().size(), 1u);
    EXPECT_EQ(b.projects.tree().records().size(), 1u);
}

// A statement of 2039 or a planned payment of 2040 is a date like any other.
TEST_F(QifImportTest, YearsAfter2038AreImported)
{
    const QifImportResult r = b.import("D07/04/2039\nT-1\nPStatement\n^\nD1/15/2040\nT-2\nPPlanned\n^\n"
                                       "D12/31/9999\nT-3\nPLast day\n^\n");
    ASSERT_TRUE(r.ok);
    EXPECT_EQ(r.added, 3);
    EXPECT_EQ(r.dropped, 0);
    const std::vector<QifRow> rows = b.rows();
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_EQ(startOfDay(rows[0].date), b.day(2039, 7, 4));
    EXPECT_EQ(startOfDay(rows[1].date), b.day(2040, 1, 15));
    EXPECT_EQ(startOfDay(rows[2].date), b.day(9999, 12, 31));
    EXPECT_TRUE(b.problems().isEmpty()) << b.problems().join('\n').toStdString();
}

TEST_F(QifImportTest, SplitRecordsGetNoCategoryAndNoProject)
{
    ASSERT_TRUE(b.import("D1/15/24\nT-10\nPTarget\nLFood:Groceries/Home\nSFood:Groceries/Home\nE50%\n$-5\n"
                         "SHousehold\n$-5\n^\n")
                    .ok);
    const std::vector<QifRow> rows = b.rows();
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows[0].amount, -1000);
    EXPECT_EQ(rows[0].category, 0);
    EXPECT_EQ(rows[0].project, 0);
    // What the "L" line named is made all the same; split lines name nothing.
    EXPECT_NE(b.categories.findByPath("Food:Groceries"), 0);
    EXPECT_NE(b.projects.findByPath("Home"), 0);
    EXPECT_EQ(b.categories.findByPath("Household"), 0);
}

TEST_F(QifImportTest, ALongMemoCannotSetTheAmountOrEndTheRecord)
{
    const QByteArray memo = "M" + QByteArray(QifLineReader::MaxLineBytes - 1, 'm') + "T999\n";
    const QByteArray payee = "P" + QByteArray(400, 'p') + "\n";
    ASSERT_TRUE(b.import("D1/15/24\nT-1\n" + memo + payee + "^\n").ok);
    const std::vector<QifRow> rows = b.rows();
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows[0].amount, -100);
    EXPECT_EQ(rows[0].memo.size(), QifLineReader::MaxLineBytes - 1);
    EXPECT_EQ(rows[0].description, QString(QifLineReader::MaxLineBytes - 1, u'p'));
}

TEST_F(QifImportTest, CategoryListsAreSkipped)
{
    const QifImportResult r = b.import("!Type:Cat\nNFood\nD12/31/99\nE\n^\nNRent\n^\n"
                                       "!Type:Bank\nD01/02/03\nT1\nLRent\n^\n");
    ASSERT_TRUE(r.ok);
    EXPECT_EQ(r.added + r.merged + r.dropped, 1);
    EXPECT_EQ(b.ui.progressSteps, 3);  // one record, plus the two closing steps
    // The category list's 12/31/99 would have settled "mdy"; skipped, the locale's order holds.
    const std::vector<QifRow> rows = b.rows();
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows[0].date, b.day(2003, 1, 2, 0, 0, 0, 1));
}

TEST_F(QifImportTest, DateOrderComesFromTheWholeFile)
{
    b.locale.dateOrder = LocaleValues::MonthDayYear;
    // 01/02/03 alone follows the locale; the one 13/02/99 later in the file settles "dmy".
    ASSERT_TRUE(b.import("D01/02/03\nPA\n^\nD13/02/99\nPB\n^\n").ok);
    std::vector<QifRow> rows = b.rows();
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(startOfDay(rows[0].date), b.day(1999, 2, 13));
    EXPECT_EQ(startOfDay(rows[1].date), b.day(2003, 2, 1));

    QifImportTestBook dmy;
    dmy.locale.dateOrder = LocaleValues::DayMonthYear;
    ASSERT_TRUE(dmy.import("D01/02/03\nPA\n^\n").ok);
    EXPECT_EQ(startOfDay(dmy.rows()[0].date), b.day(2003, 2, 1));

    QifImportTestBook mdy;
    ASSERT_TRUE(mdy.import("D01/02/03\nPA\n^\n").ok);
    EXPECT_EQ(startOfDay(mdy.rows()[0].date), b.day(2003, 1, 2));
}

// A year that stands first is followed by the month, whatever order the
// locale gives day and month, when no day above 12 settles the file.
TEST_F(QifImportTest, YearFirstDatesAreYearMonthDayInEveryLocale)
{
    for (const int order :
         {LocaleValues::MonthDayYear, LocaleValues::DayMonthYear, LocaleValues::YearMonthDay}) {
        QifImportTestBook book;
        book.locale.dateOrder = order;
        ASSERT_TRUE(book.import("D2023-12-05\nPA\n^\nD2023.01.02\nPB\n^\n").ok);
        const std::vector<QifRow> rows = book.rows();
        ASSERT_EQ(rows.size(), 2u) << order;
        EXPECT_EQ(startOfDay(rows[0].date), book.day(2023, 1, 2)) << order;
        EXPECT_EQ(startOfDay(rows[1].date), book.day(2023, 12, 5)) << order;
    }
}

// A statement saved as UTF-8 with its mark: the first record keeps its date
// and accents read right, with Windows-1252 as the code page.
TEST_F(QifImportTest, ByteOrderMarkedFileIsReadAsUtf8)
{
    const QifImportResult r = b.import("\xEF\xBB\xBF"
                                       "D1/15/24\nPCaf\xC3\xA9 M\xC3\xBCller\nT-3\n^\n");
    ASSERT_TRUE(r.ok);
    EXPECT_EQ(r.added, 1);
    const std::vector<QifRow> rows = b.rows();
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows[0].description, QStringLiteral("Caf\u00E9 M\u00FCller"));
    EXPECT_EQ(startOfDay(rows[0].date), b.day(2024, 1, 15));
}

TEST_F(QifImportTest, ProgressShowsEachPayeeAndTheClosingSteps)
{
    ASSERT_TRUE(b.import("D1/2/24\nPOne\n^\nD1/3/24\nPTwo\n^\n").ok);
    EXPECT_EQ(b.ui.progressSteps, 4);
    EXPECT_EQ(b.ui.progressDone, 4);
    EXPECT_EQ(b.ui.progressLabels, (QStringList{"One", "Two", "Recalc Balance..."}));
    EXPECT_TRUE(b.ui.questions.isEmpty());
}

TEST_F(QifImportTest, ConfirmedStopKeepsWhatWasReadAndBalancesIt)
{
    b.ui.stopAfterSteps(3);  // the bar set to 0, then two records
    b.ui.answer(true);
    const QifImportResult r =
        b.import("D1/2/24\nT1\nPOne\n^\nD1/3/24\nT2\nPTwo\nLCat/Trip\n^\nD1/4/24\nT4\nPThree\n^\n");
    ASSERT_TRUE(r.ok);
    EXPECT_TRUE(r.stopped);
    EXPECT_EQ(b.ui.questions, QStringList{"Stop Work?"});
    const std::vector<QifRow> rows = b.rows();
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[1].description, "Two");
    EXPECT_EQ(b.accountTotal(1), 300);
    EXPECT_TRUE(b.ui.progressLabels.contains("Update Projects..."));
    EXPECT_TRUE(b.problems().isEmpty());
}

TEST_F(QifImportTest, DeclinedStopGoesOn)
{
    b.ui.stopAfterSteps(2);
    const QifImportResult r = b.import("D1/2/24\nPOne\n^\nD1/3/24\nPTwo\n^\n");
    ASSERT_TRUE(r.ok);
    EXPECT_FALSE(r.stopped);
    EXPECT_EQ(b.rows().size(), 2u);
    EXPECT_EQ(b.ui.questions.size(), 2);  // asked again after each record, each time answered No
}

TEST_F(QifImportTest, AFailedWriteLeavesTheBookAsItWas)
{
    b.addTransaction({2024, 1, 15, 9, 0, 0, 0}, "Marked", -1, "", 0, "", 0, 1);
    int writes = 0;
    b.book.store().setWriteFault([&] { return ++writes > 6; });
    const QifImportResult r =
        b.import("D1/2/24\nPOne\nLNew:Cat/Trip\n^\nD1/3/24\nPTwo\n^\nD1/4/24\nPThree\n^\n");
    b.book.store().setWriteFault({});
    EXPECT_FALSE(r.ok);
    const std::vector<QifRow> rows = b.rows();
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows[0].importMark, 1);  // even the cleared mark came back
    EXPECT_EQ(b.categories.tree().records().size(), 1u);
    EXPECT_EQ(b.projects.tree().records().size(), 1u);
    // The book still takes the import afterwards.
    EXPECT_TRUE(b.import("D1/2/24\nPOne\nLNew:Cat/Trip\n^\n").ok);
    EXPECT_EQ(b.rows().size(), 2u);
}

TEST_F(QifImportTest, MissingFileOrAccountFails)
{
    QTemporaryDir dir;
    const QifImportResult r = b.importer().importFile(dir.filePath("none.qif"), 1);
    EXPECT_FALSE(r.ok);
    EXPECT_EQ(b.ui.messages, QStringList{"File read error"});
    EXPECT_EQ(b.ui.icons, std::vector<Interaction::Icon>{Interaction::Icon::Exclamation});
    EXPECT_FALSE(b.import("D1/2/24\nPOne\n^\n", 9).ok);
    EXPECT_TRUE(b.rows().empty());
}

TEST_F(QifImportTest, TheCommandTellsHowTheImportWent)
{
    QTemporaryDir dir;
    QFile file(dir.filePath("bank.qif"));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("D1/2/24\nT-1\nPShop\n^\n");
    file.close();
    EXPECT_TRUE(b.importer().importAndTell(file.fileName(), 1).ok);
    EXPECT_EQ(b.ui.messages, QStringList{"Import Succesful"});
    EXPECT_EQ(b.ui.icons, std::vector<Interaction::Icon>{Interaction::Icon::Information});

    QifImportTestBook failing;
    EXPECT_FALSE(failing.importer().importAndTell(dir.filePath("none.qif"), 1).ok);
    EXPECT_EQ(failing.ui.messages, (QStringList{"File read error", "Import Failure"}));
    EXPECT_EQ(failing.ui.icons, (std::vector<Interaction::Icon>{Interaction::Icon::Exclamation,
                                                                Interaction::Icon::Exclamation}));
    // An account that is gone fails the same way, without the file message.
    QifImportTestBook noAccount;
    EXPECT_FALSE(noAccount.importer().importAndTell(file.fileName(), 9).ok);
    EXPECT_EQ(noAccount.ui.messages, QStringList{"Import Failure"});
}

TEST_F(QifImportTest, ADeviceThatCannotBeReadAgainIsRefused)
{
    // A character device never ends; reading it three times is impossible anyway.
    if (!QFile::exists("/dev/zero"))
        GTEST_SKIP() << "no /dev/zero";
    const QifImportResult r = b.importer().importFile("/dev/zero", 1);
    EXPECT_FALSE(r.ok);
    EXPECT_EQ(b.ui.messages, QStringList{"File read error"});
}

TEST_F(QifImportTest, ImportsFromAFileOnDisk)
{
    QTemporaryDir dir;
    QFile file(dir.filePath("bank.qif"));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("!Type:Bank\r\nD1/2/24\r\nT-1\r\nP\xA3 shop\r\n^");
    file.close();
    const QifImportResult r = b.importer().importFile(file.fileName(), 2);
    ASSERT_TRUE(r.ok);
    const std::vector<QifRow> rows = b.rows(2);
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows[0].description, QStringLiteral("\u00A3 shop"));
    EXPECT_EQ(rows[0].currency, "EUR");  // the account's currency
}

}  // namespace
