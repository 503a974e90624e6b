#pragma once

// Builds the charts of a report from the rows the report built, never from a
// second scan of the book.
//  - Pie and bar take the rows counted in the report's totals (transfers and
//    transactions without category are not), so the slices of each pie add
//    up to the report's total inflows and outflows. Rows without inflows have
//    no inflow slice, and likewise for outflows; the bar chart leaves out rows
//    with neither.
//  - The line is the running total of the transaction list in date order
//    (equal dates keep the list's order): one point per transaction.

#include "reports/GroupReport.h"
#include "reports/ListRow.h"
#include "reports/ReportChart.h"

namespace ReportChartData {

ReportChart pie(const GroupReport& report, const QString& title);
ReportChart bar(const GroupReport& report, const QString& title);
ReportChart line(const std::vector<ListRow>& rows, const QString& currency, const QString& title);

// The chart a group report or the transaction list starts with.
ChartKind firstChart(ReportKind kind);

}  // namespace ReportChartData
