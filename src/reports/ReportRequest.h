#pragma once

// What one `report` or `filter-save` command of tallyra-cli asks for, as read
// from its command line and before anything in the book is looked up: names
// stay texts until ReportFilterChoices resolves them.

#include "platform/LocalTime.h"
#include "reports/ChartKind.h"
#include "reports/ReportKind.h"
#include "reports/ReportPeriod.h"
#include "reports/ReportSort.h"
#include "store/Money.h"

#include <QString>
#include <QStringList>

#include <optional>

struct ReportRequest {
    enum class Output { Table, Text, Html, PocketExcel, Xlsx, Csv, Png, Svg };

    ReportKind kind = ReportKind::TransactionList;
    // The report currency; "" keeps the one the filter starts with.
    QString currency;
    std::optional<ReportPeriod::Named> period;
    std::optional<LocalTime> from;  // a day; the time fields are 0
    std::optional<LocalTime> to;
    // Accounts by id or exact name; categories and projects by path.
    QStringList accounts;
    QStringList categories;
    QStringList projects;
    // A filter file read before the other conditions are applied.
    QString filterFile;
    std::optional<QString> description;
    std::optional<QString> note;
    std::optional<QString> contact;
    std::optional<QString> number;
    std::optional<Money> amountMin;
    std::optional<Money> amountMax;
    bool unreconciled = false;
    bool cleared = false;
    bool reconciled = false;
    // nullopt: the view's own first column, ascending.
    std::optional<ReportSort> sort;
    Output output = Output::Table;
    // The chart of a PNG or SVG file, or embedded in an HTML report; nullopt
    // for PNG and SVG takes the view's first chart (pie, or line).
    std::optional<ChartKind> chart;
    QString title;  // "" = the view's default title
    // The report file (text, html, pxl, xlsx, csv, png, svg) or, for filter-save, the filter file.
    QString path;
};
