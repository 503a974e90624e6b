#pragma once

#include "platform/CodePage.h"
#include "reports/ReportChart.h"
#include "reports/ReportExport.h"
#include "reports/ReportFormat.h"
#include "reports/ReportKind.h"
#include "reports/ReportSort.h"
#include "reports/ReportTotals.h"
#include "toolkit/PopupLines.h"

#include <QAbstractTableModel>
#include <QIcon>

#include <optional>

// A report view's rows for its list: the one face the window sees of the
// transaction list and the two group reports. The rows come from the view's
// logic (GroupReportTable, TransactionListTable) by position, so a list of a
// million rows asks only for the rows it paints. A built report without rows
// shows one line, "Report Empty", in its name column; before the first build
// there are no rows at all.
//
// Column 0 is the icon column; the others carry the view's titles. The
// vertical header's accessible text is the view's name ("List Categories").
class ReportModel : public QAbstractTableModel {
    Q_OBJECT
public:
    using QAbstractTableModel::QAbstractTableModel;

    virtual ReportKind kind() const = 0;
    // The view's name: "List Transactions", "List Categories", "List Projects".
    QString viewName() const;

    // Scans, totals and sorts anew; the model resets. False when "Stop" ended
    // the scan (the rows met so far are the report).
    virtual bool build() = 0;
    // Builds in the order `sort` names, as header taps would reach it.
    virtual bool buildSorted(const ReportSort& sort) = 0;
    // A header tap: false for a column that does not sort. Rebuilds otherwise.
    virtual bool tapHeader(int column) = 0;
    virtual const ReportSort& sort() const = 0;
    virtual int lastSortColumn() const = 0;
    bool isBuilt() const { return m_built; }
    // The filter changed since the last build.
    virtual bool filterMoved() const = 0;
    virtual bool isEmptyReport() const = 0;
    // Rows of the report, without the "Report Empty" line.
    virtual qint64 reportRows() const = 0;

    virtual const ReportTotals& totals() const = 0;
    virtual QString sumText() const = 0;
    virtual QString reportCurrency() const = 0;
    // Whether the period bar's popup shows "Count Transactions".
    virtual bool countsTransactions() const { return false; }

    virtual PopupLines popup(int row) = 0;
    virtual QString fullName(int row) const = 0;
    // After a paint: asks "Recalc?" when a row's transaction was gone; true
    // when it rebuilt.
    virtual bool offerRecalc() { return false; }

    // htmlChart: an HTML file ends with this chart of the report.
    virtual ReportExport::Outcome save(ReportFormat format, const QString& title, const QString& path,
                                       const CodePage& codePage, std::optional<ChartKind> htmlChart) = 0;
    // The chart of the report as built (pie or bar for a group report, the
    // line for the transaction list).
    virtual ReportChart chart(ChartKind kind, const QString& title) const = 0;

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

protected:
    // Resets the model around a build of the view's logic.
    template <typename Build> bool rebuild(Build&& buildNow)
    {
        beginResetModel();
        const bool complete = buildNow();
        m_built = true;
        endResetModel();
        return complete;
    }
    virtual QString columnTitle(int column) const = 0;
    // The band colour of even rows, in the view's colour.
    virtual QColor bandColor() const = 0;
    // Roles every view answers alike: the band, the empty line, alignment.
    std::optional<QVariant> commonData(const QModelIndex& index, int role) const;
    bool isAmountColumn(int column) const;
    // The icon column's pictures, made once: a counted row and any other.
    static const QIcon& rowIcon(bool counted);

private:
    bool m_built = false;
};
