#include "interchange/QifRecord.h"
#include "interchange/QifImportDialog.h"

#include <gtest/gtest.h>

namespace {

const QifDateOrder Mdy = *QifDateOrder::fromText(u"mdy");

QifRecord fed(const QStringList& lines, bool* namedClass = nullptr)
{
    QifRecord r;
    for (const QString& text : lines)
        EXPECT_EQ(r.apply(QifLine{text}, Mdy, namedClass), QifRecord::Effect::None) << text.toStdString();
    return r;
}

TEST(QifRecord, EveryTagFillsItsField)
{
    const QifRecord r =
        fed({"D12/31/99", "T-1,234.56", "PShop", "MNote", "N101", "A1 Main St", "A2nd line", "C*"});
    EXPECT_TRUE(r.dateValid);
    EXPECT_EQ(r.date, *fileTimeFromLocal(LocalTime{1999, 12, 31, 0, 0, 0, 0}));
    EXPECT_DOUBLE_EQ(r.amount, -1234.56);
    EXPECT_EQ(r.payee, "Shop");
    EXPECT_EQ(r.memo, "Note");
    EXPECT_EQ(r.number, "101");
    EXPECT_EQ(r.address, "1 Main St");  // the first address line only
    EXPECT_EQ(r.status, 1);
}

TEST(QifRecord, TagsIgnoreCaseAndLaterLinesWin)
{
    const QifRecord r = fed({"t5", "U7.5", "d1/2/03", "dgarbage", "pA", "PB"});
    EXPECT_DOUBLE_EQ(r.amount, 7.5);
    EXPECT_FALSE(r.dateValid);  // the later, unparsable date
    EXPECT_EQ(r.payee, "B");
}

TEST(QifRecord, StatusAndAddressRules)
{
    EXPECT_EQ(fed({"CX"}).status, 2);
    EXPECT_EQ(fed({"CX", "Cc"}).status, 2);  // anything but '*' and 'X' is ignored
    EXPECT_EQ(fed({"CR"}).status, 0);
    EXPECT_EQ(fed({"C*", "CX", "C*"}).status, 1);
    // Empty address lines do not count as an address.
    EXPECT_EQ(fed({"A", "ASecond"}).address, "Second");
}

TEST(QifRecord, AmountsFollowTheLenientNumberRule)
{
    EXPECT_DOUBLE_EQ(fed({"T+123"}).amount, 123);
    EXPECT_DOUBLE_EQ(fed({"T-30,020.00"}).amount, -30020);
    EXPECT_DOUBLE_EQ(fed({"T1.234,56"}).amount, 1234.56);
    EXPECT_DOUBLE_EQ(fed({"T--1"}).amount, 0);
    EXPECT_DOUBLE_EQ(fed({"T1e400"}).amount, 1400);
}

TEST(QifRecord, CategoryLineSplitsCategoryAndClass)
{
    bool named = false;
    QifRecord r = fed({"LAuto:Fuel/Trip"}, &named);
    EXPECT_EQ(r.category, "Auto:Fuel");
    EXPECT_EQ(r.projectClass, "Trip");
    EXPECT_TRUE(named);

    named = false;
    r = fed({"L[Savings]"}, &named);
    EXPECT_EQ(r.category, "");
    EXPECT_FALSE(named);

    r = fed({"L[Savings]/Holiday:Spain"}, &named);
    EXPECT_EQ(r.category, "");
    EXPECT_EQ(r.projectClass, "Holiday:Spain");

    named = false;
    r = fed({"LBills:Phone /  ", "LFood/x/y"}, &named);
    EXPECT_EQ(r.category, "Food");
    EXPECT_EQ(r.projectClass, "x/y");  // after the first '/'
    EXPECT_TRUE(named);

    r = fed({"L/Trip"});
    EXPECT_EQ(r.category, "");
    EXPECT_EQ(r.projectClass, "Trip");
}

TEST(QifRecord, SplitLinesDropCategoryAndClassButKeepTheTotal)
{
    // A line that opens with a long s (read through UTF-8) is no split line.
    EXPECT_EQ(fed({"LFood/Home", QStringLiteral("\u017FFood")}).category, "Food");
    for (const char* split : {"SFood", "EMemo", "$-5.00"}) {
        const QifRecord r = fed({"T-10", "LFood:Groceries/Home", QString::fromLatin1(split)});
        EXPECT_EQ(r.category, "") << split;
        EXPECT_EQ(r.projectClass, "") << split;
        EXPECT_DOUBLE_EQ(r.amount, -10) << split;
    }
}

TEST(QifRecord, BangClearsAndCaretFinishes)
{
    QifRecord r;
    EXPECT_EQ(r.apply(QifLine{"!Type:Bank"}, Mdy), QifRecord::Effect::Clear);
    EXPECT_EQ(r.apply(QifLine{"^"}, Mdy), QifRecord::Effect::Finish);
    EXPECT_EQ(r.apply(QifLine{"Xunknown"}, Mdy), QifRecord::Effect::None);
    r = fed({"PA", "T1"});
    r.clear();
    EXPECT_EQ(r.payee, "");
    EXPECT_EQ(r.amount, 0);
}

TEST(QifImportDialog, TitleAndRememberedFolder)
{
    EXPECT_EQ(QifImportDialog::title("Cash"), "Import to  Cash  from file ");
    EXPECT_EQ(QifImportDialog::folderToRemember("/home/ann/bank/may.qif"), "/home/ann/bank");
    EXPECT_EQ(QifImportDialog::folderToRemember("\\My Documents\\may.qif"), "\\My Documents");
    EXPECT_EQ(QifImportDialog::folderToRemember("\\may.qif"), "\\");
    EXPECT_EQ(QifImportDialog::folderToRemember("/may.qif"), "\\");
    EXPECT_EQ(QifImportDialog::folderToRemember("a/may.qif"), "\\");
    EXPECT_EQ(QifImportDialog::folderToRemember("may.qif"), "\\");
}

}  // namespace
