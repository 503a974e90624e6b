#include "accounts/ui/RegisterModel.h"

#include "accounts/ui/RegisterIcons.h"
#include "toolkit/ui/RowStyleRoles.h"

#include <limits>

RegisterModel::RegisterModel(Register& reg, Now now, bool withPanel, QObject* parent)
    : QAbstractTableModel(parent), m_reg(reg), m_now(std::move(now)), m_withPanel(withPanel),
      m_columns(Register::columns(withPanel)), m_seenChanges(reg.changeCount())
{
}

void RegisterModel::setWithPanel(bool withPanel)
{
    if (withPanel == m_withPanel)
        return;
    beginResetModel();
    m_withPanel = withPanel;
    m_columns = Register::columns(withPanel);
    m_cache.clear();
    endResetModel();
}

int RegisterModel::columnOf(RegisterColumn column) const
{
    for (size_t i = 0; i < m_columns.size(); ++i)
        if (m_columns[i] == column)
            return static_cast<int>(i);
    return -1;
}

void RegisterModel::sync(bool force)
{
    if (!force && m_reg.changeCount() == m_seenChanges)
        return;
    beginResetModel();
    m_seenChanges = m_reg.changeCount();
    m_cache.clear();
    endResetModel();
}

void RegisterModel::rowChanged(int row)
{
    m_cache.erase(row);
    m_seenChanges = m_reg.changeCount();
    Q_EMIT dataChanged(index(row, 0), index(row, columnCount() - 1));
}

int RegisterModel::rowCount(const QModelIndex& parent) const
{
    if (parent.isValid())
        return 0;
    // A view counts rows in int; a book beyond that shows its first 2^31 - 1.
    return static_cast<int>(std::min<qint64>(m_reg.rowCount(), std::numeric_limits<int>::max()));
}

int RegisterModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(m_columns.size());
}

const RegisterCells& RegisterModel::cellsOf(int row) const
{
    const auto found = m_cache.find(row);
    if (found != m_cache.end())
        return found->second;
    if (m_cache.size() >= CacheLimit)
        m_cache.clear();
    return m_cache.emplace(row, m_reg.cells(row, m_now())).first->second;
}

bool RegisterModel::isNegativeCell(RegisterColumn column) const
{
    return column == RegisterColumn::Balance || (m_withPanel && column == RegisterColumn::Amount);
}

QVariant RegisterModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= rowCount() || index.column() >= columnCount())
        return {};
    const RegisterColumn column = columnAt(index.column());
    switch (role) {
    case Qt::DisplayRole:
        return cellsOf(index.row()).text(column);
    case Qt::AccessibleTextRole:
    case Qt::ToolTipRole: {
        const RegisterCells& c = cellsOf(index.row());
        if (column == RegisterColumn::Icon)
            return RegisterIcons::name(c.icon, c.transferOverlay);
        return role == Qt::ToolTipRole ? QVariant() : QVariant(c.text(column));
    }
    case Qt::DecorationRole: {
        if (column != RegisterColumn::Icon)
            return {};
        const RegisterCells& c = cellsOf(index.row());
        return RegisterIcons::icon(c.icon, c.transferOverlay);
    }
    case Qt::ForegroundRole:
        return RowStyleRoles::foreground(cellsOf(index.row()).style, Register::Palette,
                                         isNegativeCell(column));
    case Qt::BackgroundRole:
        return RowStyleRoles::background(cellsOf(index.row()).style, Register::Palette);
    case Qt::FontRole:
        return RowStyleRoles::font(cellsOf(index.row()).style, m_font);
    case Qt::TextAlignmentRole: {
        const bool money = column == RegisterColumn::Deposit || column == RegisterColumn::Payment ||
                           column == RegisterColumn::Balance || column == RegisterColumn::Amount;
        return (Qt::Alignment(money ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter).toInt();
    }
    default:
        return {};
    }
}

QVariant RegisterModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation == Qt::Vertical) {
        if (role == Qt::AccessibleTextRole)
            return QString::fromLatin1(AccessibleName);
        return {};
    }
    if (section < 0 || section >= columnCount())
        return {};
    if (role == Qt::DisplayRole)
        return Register::heading(columnAt(section));
    if (role == Qt::AccessibleTextRole) {
        const RegisterColumn c = columnAt(section);
        return c == RegisterColumn::Icon ? QStringLiteral("Mark") : Register::heading(c);
    }
    return {};
}
