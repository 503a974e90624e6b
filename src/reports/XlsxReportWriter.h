#pragma once

// The report as an Excel workbook: one sheet named after the report, the
// heading block (title, period, currency, filter) above a bold header row
// that stays in view when scrolling, then the rows and the bold total rows.
// Amounts are numbers in the currency's number format, dates real dates;
// column widths are fitted to the longest text written.
//
// The library writes the file itself, so the workbook goes to a temporary
// file beside the target, renamed into place once it is complete; a failure
// removes it and leaves an old file at the target as it was.

#include "reports/ReportSheet.h"

class Interaction;

namespace XlsxReportWriter {

struct Outcome {
    bool written = false;
    bool stopped = false;  // "Stop" ended the row loop; the file holds the rows so far
    QString error;         // why nothing was written
};

Outcome write(const ReportSheet& sheet, const QString& path, Interaction& ui);

}  // namespace XlsxReportWriter
