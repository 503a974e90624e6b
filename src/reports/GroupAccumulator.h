#pragma once

// The group-and-total stage of the categories and projects reports: each kept
// transaction is converted into the report currency and added to the row of
// its key, and the counted rows' amounts to the report's totals.
//
// Categories: a transfer goes to the row of its own account (key -account,
// "[" + name + "]", its own currency, unconverted, not counted); a transaction
// without category to "[ Transactions without category ]" (converted, not
// counted); the others to their category's row (counted).
// Projects: only transactions with a project; every row is counted.
//
// A currency the currency list lacks converts at rate 1 and has no
// per-currency part.

#include "reports/GroupRow.h"
#include "reports/ReportKind.h"
#include "reports/ReportTotals.h"
#include "reports/ReportTransaction.h"

#include <QHash>

class CurrencyCache;
class ReportLabels;

class GroupAccumulator {
public:
    static const QString WithoutCategoryLabel;  // "[ Transactions without category ]"

    // Everything passed in is owned by the caller and must outlive the accumulator.
    GroupAccumulator(ReportKind kind, const CurrencyCache& currencies, const QString& reportCurrency,
                     ReportLabels& labels);

    void add(const ReportTransaction& t);

    // The rows in the order they were first met.
    std::vector<GroupRow> takeRows() { return std::move(m_rows); }
    const ReportTotals& totals() const { return m_totals; }

private:
    struct Placement {
        qint32 key = 0;
        bool counted = true;
        bool converted = true;
    };
    bool place(const ReportTransaction& t, Placement& where) const;
    GroupRow& rowFor(const ReportTransaction& t, const Placement& where);
    QString labelOf(const ReportTransaction& t, const Placement& where);

    ReportKind m_kind;
    const CurrencyCache& m_currencies;
    QString m_reportCurrency;
    ReportLabels& m_labels;
    std::vector<GroupRow> m_rows;
    QHash<qint32, size_t> m_index;
    ReportTotals m_totals;
};
