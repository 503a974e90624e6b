#include "reports/PocketExcelCells.h"
#include "reports/PocketExcelHead.h"

#include "ReportBook.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace {

QByteArray hex(const char* text)
{
    return QByteArray::fromHex(text);
}

QByteArray utf16(const char* text)
{
    QByteArray out;
    for (const char* p = text; *p; ++p) {
        out.append(*p);
        out.append('\0');
    }
    return out;
}

// A label record written out by hand: 04, row, column, style, length, text.
QByteArray label(quint8 column, quint8 style, const char* text)
{
    QByteArray out = hex("040000");
    out.append(static_cast<char>(column));
    out.append(static_cast<char>(style));
    out.append('\0');
    out.append(static_cast<char>(qstrlen(text)));
    out.append('\0');
    return out + utf16(text);
}

QByteArray workbookStart()
{
    return hex("090f010500"
               "42e3048c0700"
               "07003d1f000000") +
           hex("31c80000000000900100000000000005") + utf16("Arial") +
           hex("31c80000000000bc0200000000000005") + utf16("Arial") +
           hex("e000000000ffffffff02003000ff00ff00ffffffff0000") +
           hex("e001000000ffffffff02003000ff00ff00ffffffff0000") +
           hex("e000001200ffffffff02003000ff00ff00ffffffff0000");
}

QByteArray groupStyles()
{
    return hex("e001000000ffffffff02003300ff00ff00ffffffff0000") +
           hex("e000000000ffffffff02003200ff00ff00ffffffff0000") +
           hex("e001000000ffffffff02003200ff00ff00ffffffff0000");
}

QByteArray groupSheet(const char* first)
{
    QByteArray out = hex("0a"
                         "090f01100055000000090000") +
                     hex("7d000000006d24000002"
                         "7d01000200b60c000002"
                         "7d03000300db0a000002"
                         "7d0400ff000009000000") +
                     hex("250000f000") + label(0, 1, first) + label(1, 3, "Inflow") + label(2, 3, "Outflow") +
                     label(3, 5, "Currency");
    for (int column = 4; column <= 10; ++column) {
        out.append(hex("010000"));
        out.append(static_cast<char>(column));
        out.append(hex("0100"));
    }
    return out;
}

TEST(PocketExcelHead, TransactionListHeadIsTheTemplateByteForByte)
{
    QByteArray expected = workbookStart() + hex("85010e") + utf16("Report Records") + hex("0a") +
                          hex("090f01100055000000090000") + hex("7d0000ff000009000000") + hex("250000f000");
    const char* headings[] = {"Date",    "Description", "Amount", "Currency", "Account", "Category",
                              "Project", "Contact",     "Note",   "No",       "Cleared"};
    for (quint8 column = 0; column < 11; ++column)
        expected += label(column, 1, headings[column]);
    const QByteArray head = PocketExcelHead::bytes(ReportKind::TransactionList);
    EXPECT_EQ(head.size(), 428);
    EXPECT_EQ(head.toHex(), expected.toHex());
}

TEST(PocketExcelHead, GroupHeadsAreTheirTemplatesByteForByte)
{
    const QByteArray categories =
        workbookStart() + groupStyles() + hex("85010f") + utf16("Report Category") + groupSheet("Category");
    const QByteArray projects =
        workbookStart() + groupStyles() + hex("85010e") + utf16("Report Project") + groupSheet("Project");
    EXPECT_EQ(PocketExcelHead::bytes(ReportKind::Categories).size(), 431);
    EXPECT_EQ(PocketExcelHead::bytes(ReportKind::Categories).toHex(), categories.toHex());
    EXPECT_EQ(PocketExcelHead::bytes(ReportKind::Projects).size(), 427);
    EXPECT_EQ(PocketExcelHead::bytes(ReportKind::Projects).toHex(), projects.toHex());
}

TEST(PocketExcelCells, LabelRecord)
{
    QByteArray out;
    ASSERT_TRUE(PocketExcelCells::appendLabel(out, 0x0102, 3, 2, u"Aé"));
    EXPECT_EQ(out.toHex(), hex("04"
                               "0201"
                               "03"
                               "0200"
                               "0200"
                               "4100e900")
                               .toHex());
    out.clear();
    ASSERT_TRUE(PocketExcelCells::appendLabel(out, 1, 0, 0, u""));
    EXPECT_EQ(out.toHex(), hex("0401000000000000").toHex());
}

TEST(PocketExcelCells, NumberRecord)
{
    QByteArray out;
    ASSERT_TRUE(PocketExcelCells::appendNumber(out, 65000, 10, 0, 1.0));
    EXPECT_EQ(out.toHex(), hex("03"
                               "e8fd"
                               "0a"
                               "0000"
                               "000000000000f03f")
                               .toHex());
    out.clear();
    ASSERT_TRUE(PocketExcelCells::appendNumber(out, 1, 2, 0, -2.5));
    EXPECT_EQ(out.toHex(), hex("03"
                               "0100"
                               "02"
                               "0000"
                               "00000000000004c0")
                               .toHex());
}

TEST(PocketExcelCells, BlankRecord)
{
    QByteArray out;
    ASSERT_TRUE(PocketExcelCells::appendBlank(out, 0, 4, 1));
    EXPECT_EQ(out.toHex(), hex("010000040100").toHex());
}

struct CellCase {
    int row;
    int column;
    int style;
    bool written;
};

TEST(PocketExcelCells, CellsOutsideTheSheetAreRefusedAndWriteNothing)
{
    const CellCase cases[] = {
        {0, 0, 0, true},      {65000, 0, 0, true}, {65001, 0, 0, false}, {-1, 0, 0, false},
        {1, 255, 0, true},    {1, 256, 0, false},  {1, -1, 0, false},    {1, 0, 65535, true},
        {1, 0, 65536, false}, {1, 0, -1, false},   {70000, 0, 0, false},
    };
    for (const CellCase& c : cases) {
        QByteArray label;
        QByteArray number;
        QByteArray blank;
        EXPECT_EQ(PocketExcelCells::appendLabel(label, c.row, c.column, c.style, u"x"), c.written) << c.row;
        EXPECT_EQ(PocketExcelCells::appendNumber(number, c.row, c.column, c.style, 1.0), c.written) << c.row;
        EXPECT_EQ(PocketExcelCells::appendBlank(blank, c.row, c.column, c.style), c.written) << c.row;
        EXPECT_EQ(label.isEmpty(), !c.written);
        EXPECT_EQ(number.isEmpty(), !c.written);
        EXPECT_EQ(blank.isEmpty(), !c.written);
    }
}

TEST(PocketExcelCells, LongLabelsAreCutTo254UnitsButNeverInsideAPair)
{
    struct Case {
        QString text;
        int written;
    };
    const QString pair = QString::fromUtf8("\xF0\x9F\x98\x80");
    const Case cases[] = {
        {QString(254, QLatin1Char('a')), 254},
        {QString(255, QLatin1Char('a')), 254},
        {QString(1000, QLatin1Char('a')), 254},
        {QString(253, QLatin1Char('a')) + pair, 253},  // the pair would straddle the cut
        {QString(252, QLatin1Char('a')) + pair, 254},  // the pair fits exactly
    };
    for (const Case& c : cases) {
        QByteArray out;
        ASSERT_TRUE(PocketExcelCells::appendLabel(out, 1, 0, 0, c.text));
        const int length = static_cast<quint8>(out.at(6)) | static_cast<quint8>(out.at(7)) << 8;
        EXPECT_EQ(length, c.written) << c.text.size();
        EXPECT_EQ(out.size(), 8 + 2 * c.written) << c.text.size();
    }
}

struct DateCase {
    FileTime date;
    double number;
};

TEST(PocketExcelCells, DatesCountDaysSinceTheLastDaysOf1899)
{
    const DateCase cases[] = {
        {at(1970, 1, 1, 0), 25569.0},
        {at(1970, 1, 1, 0, 0, 0, 999), 25569.0},  // the milliseconds do not count
        {at(1970, 1, 2, 12), 25570.5},
        {at(1899, 12, 30, 0), 0.0},
        {at(1900, 1, 1, 6), 2.25},
        {at(2003, 12, 5, 0), 37960.0},
        {at(1969, 12, 31, 23, 59, 59, 500), 25569.0 - 1.0 / 86400.0},
    };
    for (const DateCase& c : cases)
        EXPECT_NEAR(PocketExcelCells::dateNumber(c.date), c.number, 1e-9) << c.number;
}

TEST(PocketExcelCells, AmountsAreUnits)
{
    const std::pair<qint64, double> cases[] = {
        {0, 0.0}, {1, 0.01}, {-1, -0.01}, {123456, 1234.56}, {-55'999'999'999, -559'999'999.99}};
    for (const auto& [hundredths, units] : cases)
        EXPECT_DOUBLE_EQ(PocketExcelCells::amountNumber(Money::fromHundredths(hundredths)), units)
            << hundredths;
}

}  // namespace
