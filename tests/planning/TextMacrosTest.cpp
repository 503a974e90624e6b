#include "planning/TextMacros.h"

#include <QDate>

#include <gtest/gtest.h>

namespace {

FileTime day(int y, int m, int d)
{
    return *fileTimeFromLocal(LocalTime{y, m, d, 14, 5, 0, 0});
}

const QLocale& english()
{
    static const QLocale locale(QLocale::English, QLocale::UnitedStates);
    return locale;
}

QString longDate(int y, int m, int d)
{
    return english().toString(QDate(y, m, d), QLocale::LongFormat);
}

struct MacroCase {
    const char* text;
    FileTime date;
    QString expected;
};

class TextMacrosTest : public ::testing::TestWithParam<MacroCase> {};

TEST_P(TextMacrosTest, FillsInTheOccurrenceDate)
{
    const auto& c = GetParam();
    EXPECT_EQ(TextMacros::expand(QString::fromUtf8(c.text), c.date, english()), c.expected) << c.text;
}

INSTANTIATE_TEST_SUITE_P(
    Texts, TextMacrosTest,
    ::testing::Values(
        MacroCase{"Rent {month} {year}", day(2024, 1, 3), QStringLiteral("Rent January 2024")},
        MacroCase{"no macros", day(2024, 1, 3), QStringLiteral("no macros")},
        MacroCase{"", day(2024, 1, 3), QString()},
        MacroCase{"{day}.{m}", day(2024, 3, 5), QStringLiteral("05.March")},
        MacroCase{"{d}", day(2024, 3, 5), QStringLiteral("05")},
        MacroCase{"{da}", day(2024, 3, 5), QStringLiteral("05")},
        MacroCase{"{dat}", day(2024, 3, 5), longDate(2024, 3, 5)},
        MacroCase{"{date}", day(2024, 3, 5), longDate(2024, 3, 5)},
        MacroCase{"{y}{ye}{yea}", day(2024, 3, 5), QStringLiteral("202420242024")},
        MacroCase{"{w}", day(2024, 1, 1), QStringLiteral("1")},
        // Letter case does not matter; blanks inside the braces do not either.
        MacroCase{"{MONTH}/{Year}", day(2024, 7, 9), QStringLiteral("July/2024")},
        MacroCase{"{  month + 1  }", day(2024, 7, 9), QStringLiteral("August")},
        MacroCase{"{month 1}", day(2024, 7, 9), QStringLiteral("August")},
        // Offsets.
        MacroCase{"{month-1} {year}", day(2024, 1, 15), QStringLiteral("December 2023")},
        MacroCase{"{month-13} {year}", day(2024, 1, 15), QStringLiteral("December 2022")},
        MacroCase{"{month+1} {day}", day(2024, 1, 31), QStringLiteral("February 29")},
        MacroCase{"{year-1} {day}", day(2024, 2, 29), QStringLiteral("2023 28")},
        MacroCase{"{week+1} {day}", day(2024, 12, 30), QStringLiteral("2 06")},
        MacroCase{"{day-1} {month}", day(2024, 3, 1), QStringLiteral("29 February")},
        // Offsets accumulate; every macro shows the final date.
        MacroCase{"{year} {month+1} {month+1}", day(2024, 11, 10), QStringLiteral("2025 January January")},
        MacroCase{"{day+1}{day+1}{day-3}", day(2024, 3, 1), QStringLiteral("292929")},
        // "date" and bare macros move nothing.
        MacroCase{"{date+5}", day(2024, 3, 5), longDate(2024, 3, 5)},
        // Unknown, empty and broken macros are removed, moving nothing.
        MacroCase{"a{}b", day(2024, 3, 5), QStringLiteral("ab")},
        MacroCase{"a{x}b{days}c", day(2024, 3, 5), QStringLiteral("abc")},
        MacroCase{"{+3}{day}", day(2024, 3, 5), QStringLiteral("05")},
        MacroCase{"{month+x}{day}", day(2024, 3, 5), QStringLiteral("05")},
        MacroCase{"{month+}{day}", day(2024, 3, 5), QStringLiteral("05")},
        MacroCase{"{month+1-2}|{month}", day(2024, 3, 5), QStringLiteral("|March")},
        // An unclosed brace ends the processing; the rest stays as it is.
        MacroCase{"{month} and {year", day(2024, 3, 5), QStringLiteral("March and {year")},
        MacroCase{"{year", day(2024, 3, 5), QStringLiteral("{year")},
        MacroCase{"}{day}{", day(2024, 3, 5), QStringLiteral("}05{")},
        MacroCase{"{a{day}", day(2024, 3, 5), QStringLiteral("")},
        // Offsets that would leave the calendar are not applied.
        MacroCase{"{year+9000} {year}", day(2024, 3, 5), QStringLiteral("2024 2024")},
        MacroCase{"{month-99999999999999999999} {day}", day(2024, 3, 5), QStringLiteral("March 05")},
        MacroCase{"{day+9999999} {year}", day(2024, 3, 5), QStringLiteral("05 2024")},
        MacroCase{"{day-3} {year}", day(1601, 1, 2), QStringLiteral("02 1601")},
        MacroCase{"{year+1} {day}", day(9999, 12, 31), QStringLiteral("9999 31")},
        // Only the offset that leaves the calendar is dropped; the others apply.
        MacroCase{"{year+8000}{month+2} {day}", day(2024, 3, 5), QStringLiteral("2024May 05")}));

struct WeekCase {
    FileTime date;
    int week;
};

class WeekNumberTest : public ::testing::TestWithParam<WeekCase> {};

TEST_P(WeekNumberTest, CountsSundayToSaturdayWeeks)
{
    EXPECT_EQ(TextMacros::weekNumber(GetParam().date), GetParam().week);
}

INSTANTIATE_TEST_SUITE_P(
    Dates, WeekNumberTest,
    ::testing::Values(WeekCase{day(2024, 1, 1), 1},  // a Monday
                      WeekCase{day(2024, 1, 6), 1},  // Saturday of the same week
                      WeekCase{day(2024, 1, 7), 2},  // the next Sunday starts week 2
                      WeekCase{day(2023, 1, 1), 2},  // a year that begins on a Sunday
                      WeekCase{day(2023, 1, 7), 2}, WeekCase{day(2023, 1, 8), 3},
                      WeekCase{day(2024, 12, 31), 53},  // the Sunday after lies in the next year
                      WeekCase{day(2022, 1, 1), 1},     // a Saturday
                      WeekCase{day(2000, 12, 31), 54},  // a leap year that began on a Saturday
                      WeekCase{day(9999, 12, 31), 53}));

}  // namespace
