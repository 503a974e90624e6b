#pragma once

// The first stage of every report: one pass over the Transaction table that
// hands each transaction passing the filter to the next stage. The progress
// window ("Calculation Report", ten steps) is stepped every tenth of the table,
// and "Stop" ends the pass: what was handed on so far is the report.

#include "reports/ReportTransaction.h"

#include <functional>

class Interaction;
class ReportFilter;
class TableSet;

class ReportScan {
public:
    static constexpr int ProgressSteps = 10;
    static const QString ProgressText;  // "Calculation Report"

    enum class Outcome { Complete, Stopped };

    // `take` gets every kept transaction in table order. The Transaction
    // table's sort order and the Account table's position are put back.
    static Outcome run(TableSet& tables, ReportFilter& filter, Interaction& ui,
                       const std::function<void(const ReportTransaction&)>& take);
};
