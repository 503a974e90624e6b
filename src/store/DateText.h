#pragma once

// The date texts shown and exported. Every rule takes the locale values it
// needs as arguments; nothing here reads the user's locale itself.

#include "platform/LocaleValues.h"
#include "store/FileTime.h"

#include <QChar>
#include <QString>

// The locale's numeric short date (locale.shortDateFormat): 12/5/2003 in en_US.
QString shortDate(FileTime t, const LocaleValues& locale);

// The abbreviated weekday name, ", " and the short date ("Fri, 12/5/2003"),
// cut to MaxDateWithWeekdayLength characters. Without a weekday name for the
// day (a short name list) it is the short date alone.
constexpr int MaxDateWithWeekdayLength = 40;
QString dateWithWeekday(FileTime t, const LocaleValues& locale);

// The display format of the date pickers, built from the locale's date order
// and separator s: "MM's'dd's'yyy" for month-day-year, "dd's'MM's'yyy" for
// day-month-year, "yyy's'MM's'dd" for year-month-day. Any other order is taken
// as month-day-year.
QString datePickerFormat(int dateOrder, QChar separator);

// The date as the QIF and text exports write it.
//  fullYear: month/day/year, day/month/year or year/month/day by the order,
//            unpadded ("12/5/2003"); "" for an order other than 0, 1, 2.
//  short year, 2000 on: month/day'yy, or day/month'yy for order 1, where the
//            day (month) and the year - 2000 are padded with spaces to two
//            characters ("12/ 5' 3").
//  short year, before 2000: month/day/(year - 1900), or day/month/(year - 1900)
//            for order 1 ("12/5/99", "5/12/99"). Every year of a file thus
//            keeps day and month in one order.
QString numericDate(FileTime t, int dateOrder, bool fullYear);
