#pragma once

// Date placeholders in the description and note of a plan, filled in for each
// occurrence: "Rent {month} {year}" becomes "Rent March 2024".
//
// A macro is "{" keyword [signed whole number] "}". The keywords are year,
// month, week, day and date; a leading part of one is enough and they are tried
// in that order ({m} is month, {d} is day, {da} is day, {dat} is date). Letter
// case does not matter. Blanks after "{", around the number and before "}" are
// ignored.
//
// The numbers are offsets: every macro of the text moves one working date (year
// and month steps clamp the day, a week is seven days), in text order, and then
// every macro shows that same final date. An offset that would move the date out
// of the calendar is not applied. A macro that names no keyword, or whose number
// is not a whole number, is removed. The sign of the number may be left out. A "{" without a closing "}" ends
// the processing: the rest of the text is copied as it stands.

#include "store/FileTime.h"

#include <QLocale>
#include <QString>
#include <QStringView>

class TextMacros {
public:
    TextMacros() = delete;

    // `locale` gives the full month name and the long date format.
    static QString expand(QStringView text, FileTime date, const QLocale& locale);

    // Weeks run Sunday to Saturday and are counted from 1 January of the date's
    // year to the first Sunday after the date: 1 January 2024 (a Monday) is in
    // week 1, while a year that begins on a Sunday begins with week 2.
    static int weekNumber(FileTime date);
};
