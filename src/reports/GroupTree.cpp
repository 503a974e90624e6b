#include "reports/GroupTree.h"

#include <QHash>

#include <algorithm>

GroupTree GroupTree::build(const GroupReport& report, const Lookup& lookup)
{
    GroupTree tree;
    const size_t currencies = report.totals.perCurrency.size();
    for (const GroupRow& row : report.rows) {
        if (row.counted && row.key > 0 && row.key != RootId)
            tree.addRow(row, currencies);
    }
    tree.addMissingParents(lookup, currencies);
    tree.link(lookup);
    return tree;
}

void GroupTree::addRow(const GroupRow& row, size_t currencies)
{
    GroupTreeNode node;
    node.id = row.key;
    node.label = row.label;
    node.deposits = row.deposits;
    node.payments = row.payments;
    node.currencyDeposits = row.currencyDeposits;
    node.currencyPayments = row.currencyPayments;
    node.currencyDeposits.resize(currencies);
    node.currencyPayments.resize(currencies);
    m_nodes.push_back(std::move(node));
}

// Walks up from every row; a walk ends at the root, at a node already held,
// or at a parent without a record. Each step adds a node, so the walks end.
void GroupTree::addMissingParents(const Lookup& lookup, size_t currencies)
{
    QHash<qint32, size_t> held;
    for (size_t i = 0; i < m_nodes.size(); ++i)
        held.insert(m_nodes[i].id, i);
    for (size_t i = 0; i < m_nodes.size(); ++i) {
        const qint32 parent = lookup.parentOf(m_nodes[i].id);
        if (parent <= 0 || parent == RootId || held.contains(parent) || lookup.pathOf(parent).isEmpty())
            continue;
        GroupTreeNode node;
        node.id = parent;
        node.label = lookup.pathOf(parent);
        node.currencyDeposits.assign(currencies, Money());
        node.currencyPayments.assign(currencies, Money());
        held.insert(parent, m_nodes.size());
        m_nodes.push_back(std::move(node));  // its own parent is looked at when the loop reaches it
    }
}

void GroupTree::link(const Lookup& lookup)
{
    QHash<qint32, size_t> held;
    for (size_t i = 0; i < m_nodes.size(); ++i) {
        held.insert(m_nodes[i].id, i);
        m_nodes[i].name = lookup.nameOf(m_nodes[i].id);
        if (m_nodes[i].name.isEmpty())
            m_nodes[i].name = m_nodes[i].label;
    }
    std::vector<size_t> parentOf(m_nodes.size(), m_nodes.size());
    for (size_t i = 0; i < m_nodes.size(); ++i) {
        const auto p = held.constFind(lookup.parentOf(m_nodes[i].id));
        if (p != held.constEnd() && *p != i) {
            parentOf[i] = *p;
            m_nodes[*p].children.push_back(i);
        } else {
            m_tops.push_back(i);
        }
    }
    // Nodes on a loop of parent links are reached from no top: each loop
    // gives up its first node as a top and is cut there.
    std::vector<bool> reached(m_nodes.size(), false);
    std::function<void(size_t)> mark = [&](size_t i) {
        reached[i] = true;
        for (const size_t c : m_nodes[i].children)
            if (!reached[c])
                mark(c);
    };
    for (const size_t t : m_tops)
        mark(t);
    for (size_t i = 0; i < m_nodes.size(); ++i) {
        if (reached[i])
            continue;
        std::vector<size_t>& siblings = m_nodes[parentOf[i]].children;
        siblings.erase(std::remove(siblings.begin(), siblings.end(), i), siblings.end());
        m_tops.push_back(i);
        mark(i);
    }
    sortByLabel(m_tops);
    for (GroupTreeNode& node : m_nodes)
        sortByLabel(node.children);
}

void GroupTree::sortByLabel(std::vector<size_t>& indexes) const
{
    std::stable_sort(indexes.begin(), indexes.end(),
                     [this](size_t a, size_t b) { return m_nodes[a].label < m_nodes[b].label; });
}
