#include "reports/ui/GroupReportModel.h"

#include "reports/ReportChartData.h"

#include <QColor>

GroupReportModel::GroupReportModel(ReportKind kind, const ReportContext& context, QObject* parent)
    : ReportModel(parent), m_table(kind, context)
{
}

bool GroupReportModel::build()
{
    return rebuild([this] { return m_table.build(); });
}

bool GroupReportModel::buildSorted(const ReportSort& sort)
{
    return rebuild([this, &sort] {
        m_table.setSort(sort);
        return !m_table.report().stopped;
    });
}

bool GroupReportModel::tapHeader(int column)
{
    if (column < 1 || column > lastSortColumn())
        return false;
    rebuild([this, column] { return m_table.tapHeader(column); });
    return true;
}

PopupLines GroupReportModel::popup(int row)
{
    return m_table.isEmpty() ? PopupLines() : m_table.popup(row);
}

QString GroupReportModel::fullName(int row) const
{
    return m_table.isEmpty() ? QString() : m_table.fullName(row);
}

ReportExport::Outcome GroupReportModel::save(ReportFormat format, const QString& title, const QString& path,
                                             const CodePage& codePage, std::optional<ChartKind> htmlChart)
{
    // The HTML writer reads the rows in name order; the table puts the
    // user's order back by a rebuild, so the list resets around it.
    beginResetModel();
    ReportExport::Outcome outcome = ReportExport::save(m_table, format, title, path, codePage, htmlChart);
    endResetModel();
    return outcome;
}

int GroupReportModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : GroupReportTable::ColumnCount;
}

QString GroupReportModel::columnTitle(int column) const
{
    return GroupReportTable::columnTitle(kind(), column);
}

QColor GroupReportModel::bandColor() const
{
    return kind() == ReportKind::Projects ? QColor(0xFF, 0xC6, 0xFF) : QColor(0xC6, 0xFF, 0xC6);
}

QVariant GroupReportModel::data(const QModelIndex& index, int role) const
{
    if (const std::optional<QVariant> common = commonData(index, role))
        return *common;
    switch (role) {
    case Qt::DisplayRole:
    case Qt::AccessibleTextRole:
        return m_table.cellText(index.row(), index.column());
    case Qt::DecorationRole:
        if (index.column() != 0)
            return QVariant();
        return rowIcon(m_table.iconOf(index.row()) == 2);
    case Qt::ToolTipRole:
        return index.column() == 1 ? m_table.fullName(index.row()) : QVariant();
    default:
        return QVariant();
    }
}

ReportChart GroupReportModel::chart(ChartKind kind, const QString& title) const
{
    return kind == ChartKind::Bar ? ReportChartData::bar(m_table.report(), title)
                                  : ReportChartData::pie(m_table.report(), title);
}
