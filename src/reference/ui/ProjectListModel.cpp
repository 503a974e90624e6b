#include "reference/ui/ProjectListModel.h"

#include "toolkit/ui/RowStyleRoles.h"

#include <QApplication>
#include <QStyle>

ProjectListModel::ProjectListModel(QObject* parent)
    : QAbstractTableModel(parent), m_font(QApplication::font())
{
}

void ProjectListModel::setRows(const std::vector<ProjectPageRow>& rows)
{
    beginResetModel();
    m_rows = rows;
    endResetModel();
}

int ProjectListModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(m_rows.size());
}

int ProjectListModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

QString ProjectListModel::iconName(const ProjectPageRow& row)
{
    switch (row.kind) {
    case ProjectPageRow::Kind::Up:
        return QStringLiteral("Up");
    case ProjectPageRow::Kind::SubProject:
        return QStringLiteral("Project");
    case ProjectPageRow::Kind::Planned:
        return QStringLiteral("Planned");
    case ProjectPageRow::Kind::Transaction:
        break;
    }
    QString name = row.mark == ReconcileMark::Reconciled ? QStringLiteral("Reconciled")
                   : row.mark == ReconcileMark::Cleared  ? QStringLiteral("Cleared")
                                                         : QStringLiteral("Unreconciled");
    return row.transfer ? name + QStringLiteral(", transfer") : name;
}

QString ProjectListModel::text(const ProjectPageRow& row, int column) const
{
    switch (column) {
    case DateColumn:
        return row.dateText;
    case DescriptionColumn:
        return row.description;
    case AmountColumn:
        return row.amountText;
    default:
        return {};
    }
}

QVariant ProjectListModel::icon(const ProjectPageRow& row) const
{
    const QStyle* style = QApplication::style();
    switch (row.kind) {
    case ProjectPageRow::Kind::Up:
        return style->standardIcon(QStyle::SP_ArrowUp);
    case ProjectPageRow::Kind::SubProject:
        return style->standardIcon(QStyle::SP_DirIcon);
    case ProjectPageRow::Kind::Planned:
        return style->standardIcon(QStyle::SP_FileDialogDetailedView);
    case ProjectPageRow::Kind::Transaction:
        break;
    }
    if (row.transfer)
        return style->standardIcon(QStyle::SP_BrowserReload);
    return row.mark == ReconcileMark::Unreconciled ? style->standardIcon(QStyle::SP_FileIcon)
                                                   : style->standardIcon(QStyle::SP_DialogApplyButton);
}

QVariant ProjectListModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= rowCount())
        return {};
    const ProjectPageRow& row = m_rows[static_cast<size_t>(index.row())];
    const int column = index.column();
    switch (role) {
    case Qt::DisplayRole:
        return column == IconColumn ? QVariant() : QVariant(text(row, column));
    case Qt::AccessibleTextRole:
        return column == IconColumn ? iconName(row) : text(row, column);
    case Qt::DecorationRole:
        return column == IconColumn ? icon(row) : QVariant();
    case Qt::ForegroundRole:
        return RowStyleRoles::foreground(row.style, ProjectPageRow::Palette, false);
    case Qt::BackgroundRole:
        return RowStyleRoles::color(Background);
    case Qt::FontRole:
        return RowStyleRoles::font(row.style, m_font);
    case Qt::TextAlignmentRole:
        return column == AmountColumn ? QVariant(Qt::AlignRight | Qt::AlignVCenter)
                                      : QVariant(Qt::AlignLeft | Qt::AlignVCenter);
    default:
        return {};
    }
}

QVariant ProjectListModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || (role != Qt::DisplayRole && role != Qt::AccessibleTextRole))
        return {};
    switch (section) {
    case IconColumn:
        return role == Qt::AccessibleTextRole ? QStringLiteral("Icon") : QString();
    case DateColumn:
        return QStringLiteral("Date");
    case DescriptionColumn:
        return QStringLiteral("Description");
    case AmountColumn:
        return QStringLiteral("Amount");
    default:
        return {};
    }
}
