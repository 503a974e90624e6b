#pragma once

// A chart of a report in the report's own terms, made from the rows the
// report built (ReportChartData) and drawn by the window's chart view or a
// chart file. Amounts stay exact hundredths in the report currency.

#include "reports/ChartKind.h"
#include "store/FileTime.h"
#include "store/Money.h"

#include <QString>

#include <vector>

struct ChartSlice {
    QString label;
    Money value;  // a magnitude
};

struct ChartBar {
    QString label;
    Money inflows;
    Money outflows;  // a magnitude
};

struct ChartPoint {
    FileTime date = 0;
    Money value;
};

struct ReportChart {
    ChartKind kind = ChartKind::Pie;
    QString title;
    QString currency;
    // Pie: each group's share of the outflows and of the inflows.
    std::vector<ChartSlice> outflows;
    std::vector<ChartSlice> inflows;
    // Bar: each group's inflows and outflows side by side.
    std::vector<ChartBar> bars;
    // Line: the running total; `planned` continues it (drawn dashed).
    std::vector<ChartPoint> points;
    std::vector<ChartPoint> planned;

    bool isEmpty() const
    {
        return outflows.empty() && inflows.empty() && bars.empty() && points.empty() && planned.empty();
    }
};
