#include "reference/TreeModel.h"

TreeModel::TreeModel(QObject* parent) : QAbstractItemModel(parent)
{
}

void TreeModel::reset(TreeItems items, quint64 changeCount, qint32 selectedId)
{
    beginResetModel();
    m_items = std::move(items);
    m_filledAt = changeCount;
    m_filled = true;
    m_selectedId = selectedId;
    endResetModel();
}

int TreeModel::itemAt(const QModelIndex& index) const
{
    return index.isValid() ? static_cast<int>(index.internalId()) : TreeItems::Top;
}

QModelIndex TreeModel::indexOfItem(int item) const
{
    return item == TreeItems::Top ? QModelIndex()
                                  : createIndex(m_items.rowOf(item), NameColumn, quintptr(item));
}

qint32 TreeModel::idAt(const QModelIndex& index) const
{
    return index.isValid() ? m_items.at(itemAt(index)).data : 0;
}

QModelIndex TreeModel::indexOfId(qint32 id) const
{
    const int item = m_items.find(id);
    return item < 0 ? QModelIndex() : indexOfItem(item);
}

QModelIndex TreeModel::selectedIndex() const
{
    const QModelIndex remembered = m_selectedId != 0 ? indexOfId(m_selectedId) : QModelIndex();
    return remembered.isValid() ? remembered : index(0, NameColumn);
}

void TreeModel::setBold(const QSet<qint32>& ids)
{
    for (int item = 0; item < m_items.size(); ++item) {
        TreeItem& it = m_items.at(item);
        const bool bold = ids.contains(it.data);
        if (it.data <= 0 || it.bold == bold)
            continue;
        it.bold = bold;
        const QModelIndex changed = indexOfItem(item);
        Q_EMIT dataChanged(changed, changed, {BoldRole});
    }
}

QModelIndex TreeModel::index(int row, int column, const QModelIndex& parent) const
{
    if (column != NameColumn || row < 0 || (parent.isValid() && parent.column() != NameColumn))
        return {};
    const std::vector<int>& children = m_items.childrenOf(itemAt(parent));
    if (row >= static_cast<int>(children.size()))
        return {};
    return createIndex(row, column, quintptr(children[static_cast<size_t>(row)]));
}

QModelIndex TreeModel::parent(const QModelIndex& child) const
{
    return child.isValid() ? indexOfItem(m_items.at(itemAt(child)).parent) : QModelIndex();
}

int TreeModel::rowCount(const QModelIndex& parent) const
{
    if (parent.isValid() && parent.column() != NameColumn)
        return 0;
    return static_cast<int>(m_items.childrenOf(itemAt(parent)).size());
}

int TreeModel::columnCount(const QModelIndex&) const
{
    return ColumnCount;
}

QVariant TreeModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid())
        return {};
    const TreeItem& item = m_items.at(itemAt(index));
    switch (role) {
    case Qt::DisplayRole:
    case Qt::EditRole:
        return item.text;
    case IdRole:
        return item.data;
    case BoldRole:
        return item.bold;
    case ExpandedRole:
        return item.expanded;
    case CheckStoredRole:
        return item.checkState;
    default:
        return {};
    }
}
