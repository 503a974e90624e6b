#pragma once

// The plain table a report prints on a terminal: a heading line, one line per
// row with tab-separated cells as the report list shows them, and the "Sum:"
// line of the period bar with the report currency (and, for the transaction
// list, the count). An empty report prints "Report Empty" before the sum.

#include <QString>

class GroupReportTable;
class TransactionListTable;

class ReportTableText {
public:
    static QString of(const GroupReportTable& view);
    static QString of(TransactionListTable& view);
};
