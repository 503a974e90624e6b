#include "reports/ui/ReportModel.h"

#include "reports/GroupReportTable.h"

#include <QApplication>
#include <QColor>
#include <QStyle>

#include <algorithm>
#include <climits>

QString ReportModel::viewName() const
{
    return ReportExport::defaultTitle(kind());
}

int ReportModel::rowCount(const QModelIndex& parent) const
{
    if (parent.isValid() || !m_built)
        return 0;
    // The view's rows never pass the list's int range in practice; a larger
    // report shows its first INT_MAX rows.
    return isEmptyReport() ? 1 : static_cast<int>(std::min<qint64>(reportRows(), INT_MAX));
}

QVariant ReportModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation == Qt::Vertical)
        return role == Qt::AccessibleTextRole ? QVariant(viewName()) : QVariant();
    if (role == Qt::DisplayRole || role == Qt::AccessibleTextRole)
        return columnTitle(section);
    if (role == Qt::TextAlignmentRole)
        return QVariant::fromValue(isAmountColumn(section) ? Qt::AlignRight | Qt::AlignVCenter
                                                           : Qt::AlignLeft | Qt::AlignVCenter);
    return QVariant();
}

const QIcon& ReportModel::rowIcon(bool counted)
{
    static const QIcon countedIcon = QApplication::style()->standardIcon(QStyle::SP_FileIcon);
    static const QIcon otherIcon = QApplication::style()->standardIcon(QStyle::SP_DirLinkIcon);
    return counted ? countedIcon : otherIcon;
}

bool ReportModel::isAmountColumn(int column) const
{
    return kind() == ReportKind::TransactionList ? column == 3 : column >= 2;
}

std::optional<QVariant> ReportModel::commonData(const QModelIndex& index, int role) const
{
    if (!index.isValid())
        return QVariant();
    if (role == Qt::BackgroundRole)
        return index.row() % 2 == 0 ? QVariant(bandColor()) : QVariant();
    if (role == Qt::TextAlignmentRole)
        return QVariant::fromValue(isAmountColumn(index.column()) ? Qt::AlignRight | Qt::AlignVCenter
                                                                  : Qt::AlignLeft | Qt::AlignVCenter);
    if (isEmptyReport()) {
        if (role == Qt::DisplayRole || role == Qt::AccessibleTextRole)
            return index.column() == 1 ? QVariant(GroupReportTable::EmptyText) : QVariant();
        return QVariant();
    }
    return std::nullopt;
}
