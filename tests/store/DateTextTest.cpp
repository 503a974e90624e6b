#include "store/DateText.h"

#include <gtest/gtest.h>

namespace {

FileTime day(int y, int m, int d)
{
    return fileTimeFromLocal(LocalTime{y, m, d, 18, 45, 0, 0}).value_or(-1);
}

LocaleValues german()
{
    LocaleValues locale;
    locale.shortDateFormat = QStringLiteral("dd.MM.yyyy");
    locale.shortDayNames = {QStringLiteral("Mo"), QStringLiteral("Di"), QStringLiteral("Mi"),
                            QStringLiteral("Do"), QStringLiteral("Fr"), QStringLiteral("Sa"),
                            QStringLiteral("So")};
    return locale;
}

TEST(DateText, ShortDateFollowsTheLocalePattern)
{
    const LocaleValues us;
    EXPECT_EQ(shortDate(day(2003, 12, 5), us), QStringLiteral("12/5/2003"));
    EXPECT_EQ(shortDate(day(1601, 1, 1), us), QStringLiteral("1/1/1601"));
    EXPECT_EQ(shortDate(day(9999, 12, 31), us), QStringLiteral("12/31/9999"));
    EXPECT_EQ(shortDate(day(2003, 12, 5), german()), QStringLiteral("05.12.2003"));
}

TEST(DateText, WeekdayNameLeadsTheShortDate)
{
    EXPECT_EQ(dateWithWeekday(day(2003, 12, 5), LocaleValues()), QStringLiteral("Fri, 12/5/2003"));
    EXPECT_EQ(dateWithWeekday(day(2003, 12, 7), LocaleValues()), QStringLiteral("Sun, 12/7/2003"));
    EXPECT_EQ(dateWithWeekday(day(1601, 1, 1), LocaleValues()), QStringLiteral("Mon, 1/1/1601"));
    EXPECT_EQ(dateWithWeekday(day(2003, 12, 8), german()), QStringLiteral("Mo, 08.12.2003"));
}

TEST(DateText, DateWithWeekdayIsCutToFortyCharacters)
{
    LocaleValues locale;
    locale.shortDayNames = QStringList(7, QString(38, QLatin1Char('x')));
    const QString text = dateWithWeekday(day(2003, 12, 5), locale);
    EXPECT_EQ(text, QString(38, QLatin1Char('x')) + QStringLiteral(", "));
    EXPECT_EQ(text.size(), MaxDateWithWeekdayLength);
}

TEST(DateText, MissingWeekdayNamesLeaveTheShortDate)
{
    LocaleValues locale;
    locale.shortDayNames = {QStringLiteral("Mon"), QStringLiteral("Tue")};
    EXPECT_EQ(dateWithWeekday(day(2003, 12, 5), locale), QStringLiteral("12/5/2003"));
    EXPECT_EQ(dateWithWeekday(day(2003, 12, 9), locale), QStringLiteral("Tue, 12/9/2003"));
}

struct PickerCase {
    int order;
    char separator;
    const char* expected;
};

TEST(DateText, DatePickerFormatQuotesTheSeparator)
{
    const PickerCase cases[] = {
        {0, '/', "MM'/'dd'/'yyy"}, {1, '.', "dd'.'MM'.'yyy"},  {2, '-', "yyy'-'MM'-'dd"},
        {3, '/', "MM'/'dd'/'yyy"}, {-1, '.', "MM'.'dd'.'yyy"},
    };
    for (const PickerCase& c : cases)
        EXPECT_EQ(datePickerFormat(c.order, QLatin1Char(c.separator)), QString::fromUtf8(c.expected))
            << c.order;
}

struct NumericCase {
    FileTime date;
    int order;
    bool fullYear;
    const char* expected;
};

TEST(DateText, NumericDateForExports)
{
    const NumericCase cases[] = {
        {day(2003, 12, 5), 0, true, "12/5/2003"},
        {day(2003, 12, 5), 1, true, "5/12/2003"},
        {day(2003, 12, 5), 2, true, "2003/12/5"},
        {day(1999, 1, 2), 2, true, "1999/1/2"},
        {day(2003, 12, 5), 0, false, "12/ 5' 3"},
        {day(2003, 12, 5), 1, false, "5/12' 3"},
        // Only order 1 puts the day first; year-first locales get month/day.
        {day(2003, 12, 5), 2, false, "12/ 5' 3"},
        {day(2003, 12, 5), 7, false, "12/ 5' 3"},
        {day(2000, 1, 1), 0, false, "1/ 1' 0"},
        {day(2015, 1, 31), 1, false, "31/ 1'15"},
        {day(2123, 10, 10), 0, false, "10/10'123"},
        {day(1999, 12, 5), 0, false, "12/5/99"},
        // Day-first locales keep the day first in every year, so a file that
        // spans 2000 reads back with one order.
        {day(1999, 12, 5), 1, false, "5/12/99"},
        {day(1970, 1, 31), 1, false, "31/1/70"},
        {day(1999, 12, 5), 2, false, "12/5/99"},
        {day(1900, 1, 1), 1, false, "1/1/0"},
        {day(1899, 12, 31), 0, false, "12/31/1899"},
        {day(1601, 1, 1), 1, false, "1/1/1601"},
    };
    for (const NumericCase& c : cases)
        EXPECT_EQ(numericDate(c.date, c.order, c.fullYear), QString::fromUtf8(c.expected))
            << c.expected << " order " << c.order;
}

TEST(DateText, NumericDateWithFullYearNeedsAKnownOrder)
{
    const int unknown[] = {3, -1, 100};
    for (const int order : unknown)
        EXPECT_EQ(numericDate(day(2003, 12, 5), order, true), QString()) << order;
}

}  // namespace
