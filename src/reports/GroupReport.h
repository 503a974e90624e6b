#pragma once

// A built categories or projects report: its rows in the chosen order and
// what was added up. Replaced whole by every build.

#include "reports/GroupRow.h"
#include "reports/ReportKind.h"
#include "reports/ReportTotals.h"

#include <QString>

struct GroupReport {
    ReportKind kind = ReportKind::Categories;
    QString currency;  // the report currency the build converted into
    std::vector<GroupRow> rows;
    ReportTotals totals;
    bool stopped = false;       // "Stop" ended the scan early
    quint64 filterCounter = 0;  // the filter's change counter at the build
};
