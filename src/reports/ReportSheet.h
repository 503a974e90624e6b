#pragma once

// A report laid out as one table for the spreadsheet and CSV writers: a
// heading block (title, period, filter), the column names, the rows read one
// at a time, and the total rows under them. Amounts stay exact hundredths
// with their currency; each writer decides how to show them.

#include "store/FileTime.h"
#include "store/Money.h"

#include <QString>
#include <QStringList>

#include <functional>
#include <vector>

struct SheetCell {
    enum class Kind { Empty, Text, Date, Amount, Count };

    Kind kind = Kind::Empty;
    QString text;  // Text: the text; Amount: the currency code
    FileTime date = 0;
    Money amount;
    qint64 count = 0;

    static SheetCell ofText(const QString& text) { return {Kind::Text, text, 0, Money(), 0}; }
    static SheetCell ofDate(FileTime date) { return {Kind::Date, QString(), date, Money(), 0}; }
    static SheetCell ofAmount(Money amount, const QString& currency)
    {
        return {Kind::Amount, currency, 0, amount, 0};
    }
    static SheetCell ofCount(qint64 count) { return {Kind::Count, QString(), 0, Money(), count}; }
};

using SheetRow = std::vector<SheetCell>;

struct ReportSheet {
    QString name;  // the sheet's name: "Transactions", "Categories", "Projects"
    QStringList heading;
    QStringList columns;
    qint64 rowCount = 0;
    // Row `index` of the list; empty for a transaction deleted since the build
    // (the writers skip it).
    std::function<SheetRow(qint64 index)> row;
    std::vector<SheetRow> totals;
};
