#pragma once

// The HTML transaction list: the common head, a table of the transactions
// that still exist, and a totals table worked out from the rows written: the
// converted amounts split into inflows (>= 0) and outflows, a rate statement
// for every other currency met, and each currency's own deposits, payments
// and total.

#include "reports/HtmlReportInfo.h"
#include "reports/ReportListSource.h"

class CurrencyCache;
class Interaction;
class ReportSink;
struct LocaleValues;

class HtmlListWriter {
public:
    // False when "Stop" ended the row loop (the totals cover the rows written).
    static bool write(ReportSink& out, const HtmlReportInfo& info, const ReportListSource& source,
                      const CurrencyCache& currencies, const LocaleValues& locale, Interaction& ui);
};
