#include "reports/ui/TransactionListModel.h"

#include "reports/ReportChartData.h"

#include <QColor>

TransactionListModel::TransactionListModel(const ReportContext& context, QObject* parent)
    : ReportModel(parent), m_table(context)
{
}

bool TransactionListModel::build()
{
    return rebuild([this] { return m_table.build(); });
}

bool TransactionListModel::buildSorted(const ReportSort& sort)
{
    return rebuild([this, &sort] {
        m_table.buildSortedBy(sort);
        return !m_table.stopped();
    });
}

bool TransactionListModel::tapHeader(int column)
{
    if (column < 1 || column > lastSortColumn())
        return false;
    rebuild([this, column] { return m_table.tapHeader(column); });
    return true;
}

PopupLines TransactionListModel::popup(int row)
{
    return m_table.isEmpty() ? PopupLines() : m_table.popup(row);
}

QString TransactionListModel::fullName(int row) const
{
    return m_table.isEmpty() ? QString() : m_table.cellText(row, 2);
}

bool TransactionListModel::offerRecalc()
{
    if (!m_table.sawDeletedRow())
        return false;
    bool rebuilt = false;
    rebuild([this, &rebuilt] {
        rebuilt = m_table.offerRecalc();
        return !m_table.stopped();
    });
    return rebuilt;
}

ReportExport::Outcome TransactionListModel::save(ReportFormat format, const QString& title,
                                                 const QString& path, const CodePage& codePage,
                                                 std::optional<ChartKind> htmlChart)
{
    return ReportExport::save(m_table, format, title, path, codePage, htmlChart);
}

int TransactionListModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : TransactionListTable::ColumnCount;
}

QString TransactionListModel::columnTitle(int column) const
{
    return TransactionListTable::columnTitle(column);
}

QColor TransactionListModel::bandColor() const
{
    return QColor(0xC6, 0xFF, 0xFF);
}

QVariant TransactionListModel::data(const QModelIndex& index, int role) const
{
    if (const std::optional<QVariant> common = commonData(index, role))
        return *common;
    switch (role) {
    case Qt::DisplayRole:
    case Qt::AccessibleTextRole:
        return m_table.cellText(index.row(), index.column());
    case Qt::DecorationRole:
        return index.column() == 0 ? QVariant(rowIcon(true)) : QVariant();
    default:
        return QVariant();
    }
}

ReportChart TransactionListModel::chart(ChartKind, const QString& title) const
{
    return ReportChartData::line(m_table.rows(), m_table.reportCurrency(), title);
}
