#pragma once

// The HTML categories and projects reports: the common head, then one
// borderless table with an INFLOWS section (deposits) and an OUTFLOWS section
// (payments), each nesting the tree of rows by level with a roll-up subtotal
// under every row whose descendants were written, the section totals, the
// overall total, and a rate statement for every other currency met.
//
// A row is written in a section when it or a descendant has a value there.
// Its amount is given in the report currency and, when other currencies made
// it, followed by the amounts in each of them.

#include "reports/GroupTree.h"
#include "reports/HtmlReportInfo.h"

class CurrencyCache;
class ReportSink;
struct LocaleValues;

class HtmlGroupWriter {
public:
    static constexpr int MaxIndentLevel = 10;
    // The <blockquote> run of a nesting level: 1 at the top, doubling below.
    static int indentOf(int level);

    static void write(ReportSink& out, const HtmlReportInfo& info, const GroupReport& report,
                      const GroupTree& tree, const CurrencyCache& currencies, const LocaleValues& locale);
};
