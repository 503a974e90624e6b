#pragma once

// The lines behind the period bar's "Sum:" field: per currency with money in
// the last report, its deposits, payments (shown positive) and total, each in
// its own currency; then "OVERALL TOTAL" with the field's text and the report
// currency, and for the transaction list "Count Transactions".

#include "reports/ReportTotals.h"
#include "toolkit/PopupLines.h"

#include <QString>

class CurrencyCache;
struct LocaleValues;

class SumPopup {
public:
    struct Report {
        const ReportTotals& totals;
        QString sumText;         // the field's text
        QString reportCurrency;  // the currency the report was built in
        bool countsTransactions = false;
    };

    // Empty when no currency has money in the report: the field then has no popup.
    static PopupLines lines(const Report& report, const CurrencyCache& currencies,
                            const LocaleValues& locale);
};
