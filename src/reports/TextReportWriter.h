#pragma once

// The text report with tab stops: a header line, then one line per row
// (TextReportLayout gives the fields). Group views write their counted rows
// only; the transaction list the transactions that still exist.

#include "reports/GroupReport.h"
#include "reports/ReportListSource.h"

class Interaction;
class ReportSink;
struct LocaleValues;

class TextReportWriter {
public:
    // False when "Stop" ended the row loop.
    static bool writeGroups(ReportSink& out, const GroupReport& report, Interaction& ui);
    static bool writeTransactions(ReportSink& out, const ReportListSource& source, const LocaleValues& locale,
                                  Interaction& ui);
};
