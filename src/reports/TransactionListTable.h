#pragma once

// The transaction list: the logic behind its list. A build keeps one row per
// transaction that passes the filter (transfers and transactions without
// category included) and sorts them by the chosen column: 1 date, 2
// description, 3 the converted amount. Cells read the transaction from the
// book; when one was deleted since the build the view asks "Recalc?" once per
// build and rebuilds on Yes.

#include "reports/ListRow.h"
#include "reports/ReportContext.h"
#include "reports/ReportPopupLine.h"
#include "reports/ReportSort.h"
#include "reports/ReportTotals.h"
#include "reports/TransactionEntry.h"

#include <optional>
#include <vector>

class TransactionListTable {
public:
    static constexpr int ColumnCount = 4;
    static constexpr int LastSortColumn = 3;
    static const QString RecalcQuestion;  // "Recalc?"

    // The context must outlive the view.
    explicit TransactionListTable(const ReportContext& context);

    static QString columnTitle(int column);

    // False when "Stop" ended the scan (the rows met so far are the report).
    bool build();
    bool tapHeader(int column);
    const ReportSort& sort() const { return m_sort; }
    bool needsRecalc() const;

    const std::vector<ListRow>& rows() const { return m_rows; }
    qint64 rowCount() const { return static_cast<qint64>(m_rows.size()); }
    bool isEmpty() const { return m_rows.empty(); }
    const ReportTotals& totals() const { return m_totals; }
    const QString& reportCurrency() const { return m_currency; }
    bool stopped() const { return m_stopped; }

    // Column 1 date and time, 2 description, 3 the amount in its own
    // currency. "" outside the rows, and for a deleted transaction (after the
    // "Recalc?" question; a Yes rebuilds the report first).
    QString cellText(qint64 index, int column);
    QString sumText() const;

    // The row's transaction as the writers and the popup show it; nullopt
    // when it is gone (no question asked).
    std::optional<TransactionEntry> entry(qint64 index);
    // The row-detail popup; empty for a deleted transaction.
    ReportPopup popup(qint64 index);

    const ReportContext& context() const { return m_context; }

private:
    void sortRows();
    void noteMissing();
    void appendTransfer(ReportPopup& lines, const TransactionEntry& e);

    ReportContext m_context;
    ReportSort m_sort;
    std::vector<ListRow> m_rows;
    ReportTotals m_totals;
    QString m_currency;
    quint32 m_filterCounter = 0;
    bool m_stopped = false;
    bool m_askedRecalc = false;
};
