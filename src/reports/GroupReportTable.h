#pragma once

// The categories group and the projects group: the logic behind their lists.
// A build runs the stages filter -> convert -> group and total -> sort and
// keeps the result until the next build; the filter changing in between does
// not touch the rows (needsRecalc() tells the caller to offer "Recalc").
//
// Columns: 0 icon, 1 name, 2 deposits, 3 payments (magnitude), 4 deposits -
// payments; amounts in the row's currency.

#include "reports/GroupReport.h"
#include "reports/ReportContext.h"
#include "reports/ReportLabels.h"
#include "reports/ReportSort.h"
#include "toolkit/PopupLines.h"

#include <optional>

class GroupReportTable {
public:
    static constexpr int ColumnCount = 5;
    static const QString EmptyText;  // "Report Empty"

    // kind: Categories or Projects. The context must outlive the view.
    GroupReportTable(ReportKind kind, const ReportContext& context);

    ReportKind kind() const { return m_report.kind; }
    static QString columnTitle(ReportKind kind, int column);

    // Reloads the currency list, scans, groups, totals and sorts. False when
    // "Stop" ended the scan (the rows met so far are the report).
    bool build();
    // A tap on a column header: picks or turns the sort, then rebuilds.
    // False (nothing happens) for a column that does not sort.
    bool tapHeader(int column);
    // Another sort without the tap rule (the writers' name order); rebuilds.
    void setSort(const ReportSort& sort);
    const ReportSort& sort() const { return m_sort; }
    bool needsRecalc() const;
    // Advances with every build: a model resets when it moved.
    quint64 changeCount() const { return m_changes; }

    const GroupReport& report() const { return m_report; }
    qint64 rowCount() const { return static_cast<qint64>(m_report.rows.size()); }
    bool isEmpty() const { return m_report.rows.empty(); }
    // nullptr outside the rows.
    const GroupRow* row(qint64 index) const;

    // Column 1 the name, 2..4 amounts with the currency's symbol; "" elsewhere.
    QString cellText(qint64 index, int column) const;
    // The icon of column 0: 2 for a counted row, 1 for the others, 0 outside.
    int iconOf(qint64 index) const;
    // What the "Full Name" field shows for a selected row.
    QString fullName(qint64 index) const;
    // The net total of the counted rows, grouped: the period bar's "Sum:".
    QString sumText() const;

    // The row-detail popup; empty for rows without a category or project of
    // their own (key <= 0).
    PopupLines popup(qint64 index);

    // value / whole as a percentage with two decimals ("25.50"); nullopt when
    // whole is 0, which has no share to show.
    static std::optional<QString> shareText(Money value, Money whole);

    const ReportContext& context() const { return m_context; }

private:
    QString amountText(Money amount, const QString& code) const;
    void appendShares(PopupLines& lines, const GroupRow& row) const;
    void appendCurrencyParts(PopupLines& lines, const GroupRow& row) const;

    ReportContext m_context;
    ReportSort m_sort;
    GroupReport m_report;
    quint64 m_changes = 0;
    ReportLabels m_labels;
};
