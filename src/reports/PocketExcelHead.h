#pragma once

// The fixed start of every Pocket Excel report: a one-sheet workbook with two
// fonts, its cell styles, the sheet's name, column widths, row height and the
// heading row. Cells follow it from row 1 on, then PocketExcelCells::EndByte.
// doc/pocket-excel.md lists the bytes.

#include "reports/ReportKind.h"

#include <QByteArray>

class PocketExcelHead {
public:
    // The style indexes the head defines, named by what the writers use them
    // for. Only the group views' heads define the last three.
    enum Style {
        Plain = 0,            // regular font: numbers and the transaction list's labels
        Heading = 1,          // bold font: the heading row
        DateOrName = 2,       // regular font: the list's date, a group row's name
        AmountHeading = 3,    // "Inflow", "Outflow"
        CurrencyCell = 4,     // a group row's currency code
        CurrencyHeading = 5,  // "Currency"
    };

    // 428 bytes for the transaction list, 431 for categories, 427 for projects.
    static QByteArray bytes(ReportKind kind);

private:
    static void appendWorkbookPart(QByteArray& out, ReportKind kind);
    static void appendSheetStart(QByteArray& out, ReportKind kind);
    static void appendHeadingRow(QByteArray& out, ReportKind kind);
};
