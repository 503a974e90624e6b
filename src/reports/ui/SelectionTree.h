#pragma once

#include <QTreeWidget>

class ReportFilter;
class TableSet;
class TreeItems;

// The left pane of the report page: accounts under "All Accounts", the
// category tree and the project tree, each item with a check box. Checking or
// unchecking an item (a click on its box, or Space) gives the item and every
// item below it the new state and adds or removes their ids in the filter's
// lists; filterChanged() follows.
class SelectionTree : public QTreeWidget {
    Q_OBJECT
public:
    static constexpr const char* AccessibleText = "Selection";
    static constexpr int KeyRole = Qt::UserRole + 1;

    SelectionTree(TableSet& tables, ReportFilter& filter, QWidget* parent = nullptr);

    // Builds the items anew from the tables, checked as the filter's lists say.
    void refill();
    // The first item with `key` (see SelectionTreeItems); null when none.
    QTreeWidgetItem* itemWithKey(qint32 key) const;
    // Sets the item and its subtree to `checked`, as a click on its box does.
    void setChecked(QTreeWidgetItem* item, bool checked);

Q_SIGNALS:
    void filterChanged();

private:
    void addItems(const TreeItems& items, int from, QTreeWidgetItem* parent);
    void itemChanged(QTreeWidgetItem* item, int column);
    void applySubtree(QTreeWidgetItem* item, Qt::CheckState state);

    TableSet& m_tables;
    ReportFilter& m_filter;
    bool m_filling = false;
};
