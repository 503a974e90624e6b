#pragma once

// The transaction list: the logic behind its list. A build keeps one row per
// transaction that passes the filter (transfers and transactions without
// category included) and sorts them by the chosen column: 1 date, 2
// description, 3 the converted amount. Cells read the transactions from the
// book a page at a time, with one entry reader per build. Reading a cell has
// no side effect on the report: a row whose transaction was deleted since the
// build reads as blanks and is noted, and the window asks offerRecalc() after
// painting ("Recalc?" once per build, Yes rebuilds).

#include "reports/ListRow.h"
#include "reports/ReportContext.h"
#include "reports/ReportSort.h"
#include "reports/ReportTotals.h"
#include "reports/TransactionEntry.h"
#include "reports/TransactionEntryReader.h"
#include "toolkit/PopupLines.h"

#include <optional>
#include <vector>

class TransactionListTable {
public:
    static constexpr int ColumnCount = 4;
    static constexpr int LastSortColumn = 3;
    // Rows read from the book together when a cell outside the cached page is read.
    static constexpr qint64 PageRows = 64;
    static const QString RecalcQuestion;  // "Recalc?"

    // The context must outlive the view.
    explicit TransactionListTable(const ReportContext& context);

    static QString columnTitle(int column);

    // False when "Stop" ended the scan (the rows met so far are the report).
    bool build();
    bool tapHeader(int column);
    // Builds in the order `wanted` names, reached by header taps as the user
    // would (the list has no other way to change its sort); each tap rebuilds,
    // so the tap that picks the order is also the build.
    void buildSortedBy(const ReportSort& wanted);
    const ReportSort& sort() const { return m_sort; }
    bool needsRecalc() const;
    // Advances with every build: a model resets when it moved.
    quint64 changeCount() const { return m_changes; }

    const std::vector<ListRow>& rows() const { return m_rows; }
    qint64 rowCount() const { return static_cast<qint64>(m_rows.size()); }
    bool isEmpty() const { return m_rows.empty(); }
    const ReportTotals& totals() const { return m_totals; }
    const QString& reportCurrency() const { return m_currency; }
    bool stopped() const { return m_stopped; }

    // Column 1 date and time, 2 description, 3 the amount in its own
    // currency. "" outside the rows, and for a deleted transaction, which is
    // noted for offerRecalc().
    QString cellText(qint64 index, int column) const;
    // True when a cell read since the build met a deleted transaction.
    bool sawDeletedRow() const { return m_sawDeleted; }
    // Asks "Recalc?" when a deleted transaction was met, once per build, and
    // rebuilds on Yes. True when it rebuilt.
    bool offerRecalc();
    QString sumText() const;

    // The row's transaction as the writers and the popup show it; nullopt
    // when it is gone (no question asked).
    std::optional<TransactionEntry> entry(qint64 index) const;
    // The row-detail popup; empty for a deleted transaction.
    PopupLines popup(qint64 index);

    const ReportContext& context() const { return m_context; }

private:
    void sortRows();
    const std::optional<TransactionEntry>* cachedEntry(qint64 index) const;
    TransactionEntryReader& reader() const;
    void dropCache();
    void appendTransfer(PopupLines& lines, const TransactionEntry& e);

    ReportContext m_context;
    ReportSort m_sort;
    std::vector<ListRow> m_rows;
    ReportTotals m_totals;
    QString m_currency;
    quint64 m_filterCounter = 0;
    quint64 m_changes = 0;
    bool m_stopped = false;
    bool m_askedRecalc = false;
    mutable bool m_sawDeleted = false;
    // The page of entries last read: rows [m_pageFirst, m_pageFirst + size),
    // valid while the store's generation (another program's writes) stays.
    mutable std::optional<TransactionEntryReader> m_reader;
    mutable std::vector<std::optional<TransactionEntry>> m_page;
    mutable qint64 m_pageFirst = -1;
    mutable quint64 m_pageGeneration = 0;
};
