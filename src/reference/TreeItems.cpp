#include "reference/TreeItems.h"

#include <algorithm>

const std::vector<int>& TreeItems::childrenOf(int parent) const
{
    return parent == Top ? m_top : at(parent).children;
}

std::vector<int>& TreeItems::siblingsOf(int parent)
{
    return parent == Top ? m_top : at(parent).children;
}

int TreeItems::rowOf(int item) const
{
    const std::vector<int>& siblings = childrenOf(at(item).parent);
    return static_cast<int>(std::find(siblings.begin(), siblings.end(), item) - siblings.begin());
}

int TreeItems::find(qint32 data) const
{
    // Depth first without recursion: a damaged book may hold a very deep chain.
    std::vector<int> pending(m_top.rbegin(), m_top.rend());
    while (!pending.empty()) {
        const int item = pending.back();
        pending.pop_back();
        if (at(item).data == data)
            return item;
        const std::vector<int>& children = at(item).children;
        pending.insert(pending.end(), children.rbegin(), children.rend());
    }
    return -1;
}

bool TreeItems::isWithin(int item, int ancestor) const
{
    // The links hold no cycle, so the walk ends at the top within size() steps.
    for (int i = item; i != Top; i = at(i).parent) {
        if (i == ancestor)
            return true;
    }
    return false;
}

void TreeItems::place(int item, int parent, Placement placement)
{
    std::vector<int>& siblings = siblingsOf(parent);
    auto where = siblings.end();
    if (placement == Placement::First) {
        where = siblings.begin();
    } else if (placement == Placement::Sorted) {
        const QString& text = at(item).text;
        where = std::upper_bound(siblings.begin(), siblings.end(), text, [this](const QString& t, int other) {
            return t.compare(at(other).text, Qt::CaseInsensitive) < 0;
        });
    }
    siblings.insert(where, item);
    at(item).parent = parent;
}

int TreeItems::add(TreeItem item, int parent, Placement placement)
{
    item.children.clear();
    m_items.push_back(std::move(item));
    const int index = size() - 1;
    place(index, parent, placement);
    return index;
}

bool TreeItems::move(int item, int parent, Placement placement)
{
    if (parent != Top && isWithin(parent, item))
        return false;
    std::vector<int>& old = siblingsOf(at(item).parent);
    old.erase(std::find(old.begin(), old.end(), item));
    place(item, parent, placement);
    return true;
}

void TreeItems::expandAll()
{
    for (TreeItem& item : m_items)
        item.expanded = true;
}

void TreeItems::expandAbove(int item)
{
    for (int i = at(item).parent; i != Top; i = at(i).parent)
        at(i).expanded = true;
}
