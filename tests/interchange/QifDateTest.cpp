#include "interchange/QifDate.h"
#include "interchange/QifDateNumbers.h"
#include "interchange/QifDateOrder.h"
#include "interchange/QifDateOrderScan.h"

#include <QStringList>

#include <gtest/gtest.h>

namespace {

QifDateOrder order(const char* letters)
{
    return *QifDateOrder::fromText(QString::fromLatin1(letters));
}

TEST(QifDateNumbers, ReadsThreeNumbersSkippingBlanks)
{
    struct Case {
        const char* text;
        QifDateNumbers expected;
    };
    const Case cases[] = {
        {"12/31/99", {12, 31, 99}},
        {"31.12.1999", {31, 12, 1999}},
        {"1999-12-31", {1999, 12, 31}},
        {"6/ 1' 0", {6, 1, 0}},
        {"12/ 5' 3", {12, 5, 3}},
        {"03/25/099Share Withdrawal", {3, 25, 99}},
        {"1/2/2003 10:45", {1, 2, 200310}},
        {"1 2/3/4", {12, 3, 4}},
        {"99999999999/1/1", {QifDateMaxNumber, 1, 1}},
    };
    for (const Case& c : cases) {
        for (const QifDateReading reading : {QifDateReading::Detect, QifDateReading::Parse}) {
            const auto numbers = readQifDateNumbers(QString::fromLatin1(c.text), reading);
            ASSERT_TRUE(numbers) << c.text;
            EXPECT_EQ(*numbers, c.expected) << c.text;
        }
    }
}

TEST(QifDateNumbers, BadTextGivesNothing)
{
    for (const char* text : {"", "1/2", "1/2/", "/1/2/3", "x1/2/3", "Homeowner's Insurance", "  ", "12-"}) {
        EXPECT_FALSE(readQifDateNumbers(QString::fromLatin1(text), QifDateReading::Detect)) << text;
        EXPECT_FALSE(readQifDateNumbers(QString::fromLatin1(text), QifDateReading::Parse)) << text;
    }
    // Two separators in a row: detection passes over them, parsing refuses them.
    EXPECT_EQ(*readQifDateNumbers(u"12//5/3", QifDateReading::Detect), (QifDateNumbers{12, 5, 3}));
    EXPECT_FALSE(readQifDateNumbers(u"12//5/3", QifDateReading::Parse));
    EXPECT_FALSE(readQifDateNumbers(u"12/ /5/3", QifDateReading::Parse));
}

TEST(QifDateOrder, DetectsFromOneDate)
{
    struct Case {
        const char* date;
        const char* letters;
        bool settled;
        int yearPosition;
    };
    const Case cases[] = {
        {"12/31/99", "mdy", true, 2},    {"31.12.1999", "dmy", true, 2}, {"1999-12-31", "ymd", true, 0},
        {"12/31/00", "mdy", true, 2},    {"05/06/01", "xxx", false, -1}, {"05/06/1999", "xxy", false, 2},
        {"13/05/01", "dxx", false, -1},  {"00/00/00", "yxx", false, 0},  {"31/45/99", "dyx", false, 1},
        {"2024.01.02", "yxx", false, 0}, {"8/31' 0", "mdy", true, 2},    {"12/29/10", "xdx", false, -1},
        {"abc", "xxx", false, -1},       {"1/2", "xxx", false, -1},      {"31/31/99", "dxy", false, 2},
    };
    for (const Case& c : cases) {
        const QifDateOrder::Detection d = QifDateOrder::detect(QString::fromLatin1(c.date));
        EXPECT_EQ(d.order.text(), QString::fromLatin1(c.letters)) << c.date;
        EXPECT_EQ(d.settled, c.settled) << c.date;
        EXPECT_EQ(d.yearPosition, c.yearPosition) << c.date;
    }
}

TEST(QifDateOrder, LocaleOrderAndYearMove)
{
    EXPECT_EQ(QifDateOrder::ofLocale(0).text(), "mdy");
    EXPECT_EQ(QifDateOrder::ofLocale(1).text(), "dmy");
    EXPECT_EQ(QifDateOrder::ofLocale(2).text(), "ymd");
    EXPECT_EQ(QifDateOrder::ofLocale(7).text(), "mdy");
    // A year in front is followed by the month; moved elsewhere, the year
    // leaves day and month in the order they had.
    struct Move {
        const char* from;
        int year;
        const char* to;
    };
    const Move moves[] = {{"mdy", 0, "ymd"}, {"dmy", 0, "ymd"}, {"ymd", 0, "ymd"}, {"ymd", 2, "mdy"},
                          {"dmy", 2, "dmy"}, {"mdy", 1, "myd"}, {"ymd", 1, "myd"}, {"dmy", 1, "dym"}};
    for (const Move& m : moves) {
        QifDateOrder o = order(m.from);
        o.moveYearTo(m.year);
        EXPECT_EQ(o.text(), m.to) << m.from << " year to " << m.year;
        EXPECT_TRUE(o.isSettled());
    }
    EXPECT_FALSE(order("dxy").isSettled());
    EXPECT_FALSE(QifDateOrder::fromText(u"mdz"));
    EXPECT_FALSE(QifDateOrder::fromText(u"md"));
}

std::pair<QString, bool> scan(const QStringList& dates, int localeOrder)
{
    QifDateOrderScan s;
    for (const QString& d : dates) {
        if (s.feed(d))
            break;
    }
    return {s.result(localeOrder).text(), s.isSettled()};
}

TEST(QifDateOrderScan, FirstSettlingDateDecidesTheFile)
{
    // One 13/02/99 anywhere settles "dmy", whatever the locale says.
    EXPECT_EQ(scan({"01/02/03", "04/05/06", "13/02/99", "12/31/99"}, 0),
              std::make_pair(QString("dmy"), true));
    EXPECT_EQ(scan({"2022-09-23"}, 1), std::make_pair(QString("ymd"), true));
}

TEST(QifDateOrderScan, UnsettledFileFallsBackToTheLocale)
{
    // Two-digit years up to 31 are never a year.
    EXPECT_EQ(scan({"01/02/03", "04/05/06"}, 0).first, "mdy");
    EXPECT_EQ(scan({"01/02/03", "04/05/06"}, 1).first, "dmy");
    EXPECT_EQ(scan({"01/02/03"}, 2).first, "ymd");
    EXPECT_EQ(scan({}, 1).first, "dmy");
    // A year that stands first is followed by the month in every locale.
    EXPECT_EQ(scan({"2024.01.02"}, 0).first, "ymd");
    EXPECT_EQ(scan({"2023-12-05"}, 0).first, "ymd");
    EXPECT_EQ(scan({"2024.01.02"}, 1).first, "ymd");
    // The first year position found is kept; a later one does not replace it.
    EXPECT_EQ(scan({"05/06/1999", "1999/05/06"}, 1).first, "dmy");
    EXPECT_EQ(scan({"1999/05/06", "05/06/1999"}, 1).first, "ymd");
}

TEST(QifDateOrderScan, ApostrophePutsTheYearThird)
{
    EXPECT_EQ(scan({"1/ 1'00"}, 2).first, "mdy");  // "ymd" with 'y' moved last: month before day
    EXPECT_EQ(scan({"1999/05/06", "1/2'03"}, 1).first, "dmy");
    // Even in a text that is no date at all (a budget description).
    EXPECT_EQ(scan({"2024.01.02", "Homeowner's Insurance"}, 2).first, "mdy");
}

FileTime day(int y, int m, int d)
{
    return *fileTimeFromLocal(LocalTime{y, m, d, 0, 0, 0, 0});
}

TEST(QifDate, ParsesInTheFilesOrder)
{
    EXPECT_EQ(parseQifDate(u"12/31/99", order("mdy")), day(1999, 12, 31));
    EXPECT_EQ(parseQifDate(u"31.12.1999", order("dmy")), day(1999, 12, 31));
    EXPECT_EQ(parseQifDate(u"2022-09-23", order("ymd")), day(2022, 9, 23));
    EXPECT_EQ(parseQifDate(u"2024.01.02", order("ydm")), day(2024, 2, 1));
    EXPECT_EQ(parseQifDate(u"6/ 1' 0", order("mdy")), day(2000, 6, 1));
    EXPECT_EQ(parseQifDate(u"1/ 1'00", order("mdy")), day(2000, 1, 1));
    EXPECT_EQ(parseQifDate(u"03/25/099Share Withdrawal", order("mdy")), day(1999, 3, 25));
    EXPECT_EQ(parseQifDate(u"29/2/2000", order("dmy")), day(2000, 2, 29));
}

TEST(QifDate, YearWindow)
{
    EXPECT_EQ(parseQifDate(u"1/1/0", order("mdy")), day(2000, 1, 1));
    EXPECT_EQ(parseQifDate(u"1/1/37", order("mdy")), day(2037, 1, 1));
    EXPECT_EQ(parseQifDate(u"1/1/71", order("mdy")), day(1971, 1, 1));
    // The export writes 1970 as 70.
    EXPECT_EQ(parseQifDate(u"1/1/70", order("mdy")), day(1970, 1, 1));
    EXPECT_EQ(parseQifDate(u"1/1/1970", order("mdy")), day(1970, 1, 1));
    EXPECT_EQ(parseQifDate(u"12/31/2038", order("mdy")), day(2038, 12, 31));
    // A year written out counts from 1900 to 9999.
    EXPECT_EQ(parseQifDate(u"07/04/2039", order("mdy")), day(2039, 7, 4));
    EXPECT_EQ(parseQifDate(u"2040-02-29", order("ymd")), day(2040, 2, 29));
    EXPECT_EQ(parseQifDate(u"1/1/1900", order("mdy")), day(1900, 1, 1));
    EXPECT_EQ(parseQifDate(u"1/1/1969", order("mdy")), day(1969, 1, 1));
    EXPECT_EQ(parseQifDate(u"31.12.9999", order("dmy")), day(9999, 12, 31));
    // The export writes 2040 as '40: after an apostrophe 38..70 are 2038..2070.
    EXPECT_EQ(parseQifDate(u"1/15'40", order("mdy")), day(2040, 1, 15));
    EXPECT_EQ(parseQifDate(u"15/ 1'69", order("dmy")), day(2069, 1, 15));
    EXPECT_EQ(parseQifDate(u"1/ 1'70", order("mdy")), day(2070, 1, 1));
    EXPECT_EQ(parseQifDate(u"1/1'99", order("mdy")), day(1999, 1, 1));
    // 38..69 are taken as written, and so fall outside 1900..9999.
    for (const char16_t* text : {u"1/1/38", u"1/1/69", u"12/31/1899", u"1/1/10000", u"1/1/100", u"1/1/999"})
        EXPECT_FALSE(parseQifDate(text, order("mdy"))) << QString::fromUtf16(text).toStdString();
}

TEST(QifDate, ImpossibleDatesAreInvalid)
{
    for (const char16_t* text : {u"00/00/00", u"0/12/99", u"12/0/99", u"2/31/99", u"2/29/99", u"4/31/2001",
                                 u"13/1/99", u"1/32/99", u"12//5/99", u"x1/1/99", u"1/1", u""})
        EXPECT_FALSE(parseQifDate(text, order("mdy"))) << QString::fromUtf16(text).toStdString();
    // An order that is not settled names no date.
    EXPECT_FALSE(parseQifDate(u"1/2/99", order("mxy")));
}

}  // namespace
