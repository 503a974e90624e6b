#pragma once

// A filled category or project tree as an item model any view can show. The
// model only holds what the last fill built; Categories and Projects build it,
// and a view refills only when the tree's change counter moved since.
//
// Display text is the item's name (or account line); IdRole gives the item
// data (record id, negated account id, 0 for the "[Transfers]" branch).

#include "reference/TreeItems.h"

#include <QAbstractItemModel>
#include <QSet>

class TreeModel : public QAbstractItemModel {
public:
    enum Column { NameColumn = 0, ColumnCount };
    enum Role {
        IdRole = Qt::UserRole + 1,
        BoldRole,        // bool: draw the text in bold
        ExpandedRole,    // bool: expanded after the fill
        CheckStoredRole  // int: the record's kept check state (not shown)
    };

    explicit TreeModel(QObject* parent = nullptr);

    // Replaces the items; `changeCount` is the tree's counter the fill saw and
    // `selectedId` the remembered selection.
    void reset(TreeItems items, quint64 changeCount, qint32 selectedId);
    // True until the first fill and whenever the counter moved since the last.
    bool needsFill(quint64 changeCount) const { return !m_filled || changeCount != m_filledAt; }

    const TreeItems& items() const { return m_items; }
    qint32 idAt(const QModelIndex& index) const;
    // The first item showing `id`; invalid when none.
    QModelIndex indexOfId(qint32 id) const;
    // The remembered selection's item, else the first item; invalid when empty.
    QModelIndex selectedIndex() const;
    void setSelectedId(qint32 id) { m_selectedId = id; }

    // Marks exactly the records in `ids` bold (records only: the "[Transfers]"
    // branch and accounts keep theirs) and tells the views which rows changed.
    void setBold(const QSet<qint32>& ids);

    QModelIndex index(int row, int column, const QModelIndex& parent = {}) const override;
    QModelIndex parent(const QModelIndex& child) const override;
    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;

private:
    int itemAt(const QModelIndex& index) const;
    QModelIndex indexOfItem(int item) const;

    TreeItems m_items;
    quint64 m_filledAt = 0;
    bool m_filled = false;
    qint32 m_selectedId = 0;
};
