#pragma once

// The report as comma-separated values for scripts (RFC 4180): UTF-8, one
// header row with the column names, then one line per report row, CRLF line
// ends. Amounts are plain decimals with a point, dates ISO (2003-12-05). The
// heading block and the totals are left out: every line is a row of the list.

#include "reports/ReportSheet.h"

class Interaction;
class ReportSink;

namespace CsvReportWriter {

// False when "Stop" ended the row loop (the lines so far are kept).
bool write(ReportSink& out, const ReportSheet& sheet, Interaction& ui);

// One field, quoted when it holds a comma, a quote or a line break.
QString field(const QString& text);

}  // namespace CsvReportWriter
