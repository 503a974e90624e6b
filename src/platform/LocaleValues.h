#pragma once

#include <QChar>
#include <QString>
#include <QStringList>

// The locale values every formatting rule takes as an argument. There is no
// global formatting state: each caller passes the values it was given.
// The platform fills them from the user's locale (SystemLocale); tests build
// them by hand.
struct LocaleValues {
    enum DateOrder { MonthDayYear = 0, DayMonthYear = 1, YearMonthDay = 2 };

    int negativeCurrencyFormat = 0;  // 0..15, the classic pattern numbers
    int dateOrder = MonthDayYear;
    QChar dateSeparator = QLatin1Char('/');
    QChar decimalSeparator = QLatin1Char('.');
    QChar thousandsSeparator = QLatin1Char(' ');
    // The display format of every date picker; "MM'//'dd'//'yyy" until a locale is read.
    QString datePickerFormat = QStringLiteral("MM'//'dd'//'yyy");
    // The locale's numeric short date with a four-digit year, as a QDate format
    // pattern ("M/d/yyyy" in en_US, "dd.MM.yyyy" in de_DE).
    QString shortDateFormat = QStringLiteral("M/d/yyyy");
    // Abbreviated weekday names, Monday first (7 entries).
    QStringList shortDayNames = {QStringLiteral("Mon"), QStringLiteral("Tue"), QStringLiteral("Wed"),
                                 QStringLiteral("Thu"), QStringLiteral("Fri"), QStringLiteral("Sat"),
                                 QStringLiteral("Sun")};
};
