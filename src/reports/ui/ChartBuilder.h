#pragma once

// Turns a report's chart into the charts library's charts: one per pie (the
// outflows and the inflows side by side), one for the bars, one for the line.
// The caller owns what is returned (a view or a scene takes it over).

#include "reports/ReportChart.h"

#include <QChart>

#include <vector>

namespace ChartBuilder {

std::vector<QChart*> build(const ReportChart& chart);

// Slices below this share carry no label: their text would overlap.
constexpr double MinLabelledShare = 0.03;

}  // namespace ChartBuilder
