#pragma once

// The items of a filled tree, as a view shows them: a forest of items held in
// one vector and linked by index. An item's data is the record id it shows (the
// negated account id for an account under "[Transfers]", 0 for that branch).
//
// Invariant: every item is either at the top level or in exactly one parent's
// child list, and the parent links never form a cycle (move() refuses to hang
// an item inside its own subtree).

#include <QString>
#include <QtGlobal>

#include <vector>

struct TreeItem {
    qint32 data = 0;
    QString text;
    bool bold = false;
    qint32 checkState = 0;
    bool expanded = false;
    int parent = -1;  // TreeItems::Top for a top-level item
    std::vector<int> children;
};

class TreeItems {
public:
    static constexpr int Top = -1;
    // Where a new or moved item goes among its siblings.
    enum class Placement {
        Last,
        First,
        // After the last sibling whose text is not greater, ignoring case.
        Sorted,
    };

    int size() const { return static_cast<int>(m_items.size()); }
    const TreeItem& at(int item) const { return m_items[static_cast<size_t>(item)]; }
    TreeItem& at(int item) { return m_items[static_cast<size_t>(item)]; }
    // The children of `parent`, or the top-level items for Top.
    const std::vector<int>& childrenOf(int parent) const;
    // The row of the item among its siblings.
    int rowOf(int item) const;
    // The first item, in tree order, that shows `data`; -1 when none.
    int find(qint32 data) const;
    // True when `item` is `ancestor` or lies in its subtree.
    bool isWithin(int item, int ancestor) const;

    // Returns the new item's index.
    int add(TreeItem item, int parent, Placement placement);
    // Hangs the item (with its subtree) under `parent`. False, changing nothing,
    // when `parent` lies in the item's own subtree.
    bool move(int item, int parent, Placement placement);

    void expandAll();
    // Expands every item above `item`, so that it can be seen.
    void expandAbove(int item);

private:
    std::vector<int>& siblingsOf(int parent);
    void place(int item, int parent, Placement placement);

    std::vector<TreeItem> m_items;
    std::vector<int> m_top;
};
