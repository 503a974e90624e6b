#pragma once

#include "reports/TransactionListTable.h"
#include "reports/ui/ReportModel.h"

// The transaction list for its list: columns 0 icon, 1 date and time,
// 2 description, 3 the amount in its own currency. Cells are read from the
// book a page at a time by TransactionListTable.
class TransactionListModel : public ReportModel {
    Q_OBJECT
public:
    // The context must outlive the model.
    explicit TransactionListModel(const ReportContext& context, QObject* parent = nullptr);

    TransactionListTable& table() { return m_table; }

    ReportKind kind() const override { return ReportKind::TransactionList; }
    bool build() override;
    bool buildSorted(const ReportSort& sort) override;
    bool tapHeader(int column) override;
    const ReportSort& sort() const override { return m_table.sort(); }
    int lastSortColumn() const override { return TransactionListTable::LastSortColumn; }
    bool filterMoved() const override { return m_table.needsRecalc(); }
    bool isEmptyReport() const override { return m_table.isEmpty(); }
    qint64 reportRows() const override { return m_table.rowCount(); }
    const ReportTotals& totals() const override { return m_table.totals(); }
    QString sumText() const override { return m_table.sumText(); }
    QString reportCurrency() const override { return m_table.reportCurrency(); }
    bool countsTransactions() const override { return true; }
    PopupLines popup(int row) override;
    QString fullName(int row) const override;
    bool offerRecalc() override;
    ReportExport::Outcome save(ReportFormat format, const QString& title, const QString& path,
                               const CodePage& codePage, std::optional<ChartKind> htmlChart) override;
    ReportChart chart(ChartKind kind, const QString& title) const override;

    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role) const override;

protected:
    QString columnTitle(int column) const override;
    QColor bandColor() const override;

private:
    TransactionListTable m_table;
};
