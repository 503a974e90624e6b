#include "planning/ui/PlannerListModel.h"

#include "toolkit/ui/RowStyleRoles.h"

#include <QApplication>
#include <QIcon>
#include <QStyle>

#include <limits>

PlannerListModel::PlannerListModel(PlannerList& list, Now now, QObject* parent)
    : QAbstractTableModel(parent), m_list(list), m_now(std::move(now))
{
}

PlannerColumn PlannerListModel::columnAt(int column) const
{
    return PlannerList::columns()[static_cast<size_t>(column)];
}

bool PlannerListModel::reload()
{
    beginResetModel();
    const bool read = m_list.reload();
    endResetModel();
    return read;
}

QString PlannerListModel::iconName(PlannerCells::Icon icon)
{
    switch (icon) {
    case PlannerCells::Icon::Repeating:
        return QStringLiteral("Repeating");
    case PlannerCells::Icon::Stopped:
        return QStringLiteral("Stopped");
    case PlannerCells::Icon::Single:
        return QStringLiteral("Once");
    case PlannerCells::Icon::None:
        break;
    }
    return {};
}

namespace {

QIcon iconOf(PlannerCells::Icon icon)
{
    const QStyle* style = QApplication::style();
    switch (icon) {
    case PlannerCells::Icon::Repeating:
        return style->standardIcon(QStyle::SP_BrowserReload);
    case PlannerCells::Icon::Stopped:
        return style->standardIcon(QStyle::SP_MediaStop);
    case PlannerCells::Icon::Single:
        return style->standardIcon(QStyle::SP_MediaPlay);
    case PlannerCells::Icon::None:
        break;
    }
    return {};
}

}  // namespace

int PlannerListModel::rowCount(const QModelIndex& parent) const
{
    if (parent.isValid())
        return 0;
    return static_cast<int>(std::min<qint64>(m_list.rowCount(), std::numeric_limits<int>::max()));
}

int PlannerListModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(PlannerList::columns().size());
}

QVariant PlannerListModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= rowCount() || index.column() >= columnCount())
        return {};
    const PlannerColumn column = columnAt(index.column());
    switch (role) {
    case Qt::DisplayRole:
        return m_list.cells(index.row(), m_now()).text(column);
    case Qt::AccessibleTextRole: {
        const PlannerCells c = m_list.cells(index.row(), m_now());
        return column == PlannerColumn::Icon ? iconName(c.icon) : c.text(column);
    }
    case Qt::ToolTipRole:
        if (column != PlannerColumn::Icon)
            return {};
        return iconName(m_list.cells(index.row(), m_now()).icon);
    case Qt::DecorationRole:
        if (column != PlannerColumn::Icon)
            return {};
        return iconOf(m_list.cells(index.row(), m_now()).icon);
    case Qt::ForegroundRole:
        return RowStyleRoles::foreground(m_list.cells(index.row(), m_now()).style, PlannerList::Palette,
                                         false);
    case Qt::BackgroundRole:
        return RowStyleRoles::background(m_list.cells(index.row(), m_now()).style, PlannerList::Palette);
    case Qt::FontRole:
        return RowStyleRoles::font(m_list.cells(index.row(), m_now()).style, m_font);
    case Qt::TextAlignmentRole:
        return (Qt::Alignment(column == PlannerColumn::Amount ? Qt::AlignRight : Qt::AlignLeft) |
                Qt::AlignVCenter)
            .toInt();
    default:
        return {};
    }
}

QVariant PlannerListModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation == Qt::Vertical)
        return role == Qt::AccessibleTextRole ? QVariant(QString::fromLatin1(AccessibleName)) : QVariant();
    if (section < 0 || section >= columnCount())
        return {};
    const PlannerColumn column = columnAt(section);
    if (role == Qt::DisplayRole)
        return PlannerList::heading(column);
    if (role == Qt::AccessibleTextRole)
        return column == PlannerColumn::Icon ? QStringLiteral("State") : PlannerList::heading(column);
    return {};
}
