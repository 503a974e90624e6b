#pragma once

#include "reports/GroupReportTable.h"
#include "reports/ui/ReportModel.h"

// The categories and the projects report for their lists: columns 0 icon,
// 1 name, 2 deposits, 3 payments, 4 total, read from GroupReportTable.
class GroupReportModel : public ReportModel {
    Q_OBJECT
public:
    // kind: Categories or Projects. The context must outlive the model.
    GroupReportModel(ReportKind kind, const ReportContext& context, QObject* parent = nullptr);

    GroupReportTable& table() { return m_table; }

    ReportKind kind() const override { return m_table.kind(); }
    bool build() override;
    bool buildSorted(const ReportSort& sort) override;
    bool tapHeader(int column) override;
    const ReportSort& sort() const override { return m_table.sort(); }
    int lastSortColumn() const override { return GroupReportTable::ColumnCount - 1; }
    bool filterMoved() const override { return m_table.needsRecalc(); }
    bool isEmptyReport() const override { return m_table.isEmpty(); }
    qint64 reportRows() const override { return m_table.rowCount(); }
    const ReportTotals& totals() const override { return m_table.report().totals; }
    QString sumText() const override { return m_table.sumText(); }
    QString reportCurrency() const override { return m_table.report().currency; }
    PopupLines popup(int row) override;
    QString fullName(int row) const override;
    ReportExport::Outcome save(ReportFormat format, const QString& title, const QString& path,
                               const CodePage& codePage, std::optional<ChartKind> htmlChart) override;
    ReportChart chart(ChartKind kind, const QString& title) const override;

    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role) const override;

protected:
    QString columnTitle(int column) const override;
    QColor bandColor() const override;

private:
    GroupReportTable m_table;
};
