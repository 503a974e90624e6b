#pragma once

// Reads the arguments of tallyra-cli's `report` and `filter-save` commands
// (those after the command's name) into a ReportRequest. Only the form is
// checked here: dates, amounts, names of periods, columns and formats. Each
// option is declared once, in the table of ReportCommandLine.cpp.
//
// Options take "--name VALUE" or "--name=VALUE"; --account, --category and
// --project may repeat, every other option may appear once. A text that does
// not start with "--" is positional, so "-50" is never an option.

#include "reports/ReportRequest.h"

#include <QString>
#include <QStringList>

#include <optional>

class ReportCommandLine {
public:
    // report transactions|categories|projects [options]. nullopt with *error
    // filled for a malformed command line.
    static std::optional<ReportRequest> parseReport(const QStringList& arguments, QString* error);
    // filter-save FILE [filter options]; the file lands in ReportRequest::path.
    static std::optional<ReportRequest> parseFilterSave(const QStringList& arguments, QString* error);

    // "transactions", "categories", "projects".
    static std::optional<ReportKind> kindByName(const QString& name);
    // A named period by its list name ("Last Month") or a short form of it,
    // ignoring case, blanks, '-' and '_' ("last-month", "lastmonth").
    static std::optional<ReportPeriod::Named> periodByName(const QString& name);

    // COLUMN[:asc|:desc]; COLUMN a name of the view's columns or its number.
    // Transactions: date, description, sum (or amount). Groups: name (or
    // label), deposit, payment, total.
    static std::optional<ReportSort> sortByText(ReportKind kind, const QString& text);
    static std::optional<ReportRequest::Output> outputByName(const QString& name);
    // "pie", "bar", "line".
    static std::optional<ChartKind> chartByName(const QString& name);

    // The option part of the usage lines, for the help.
    static QString filterUsage();
    static QString reportUsage();
};
