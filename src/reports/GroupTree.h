#pragma once

// The rows of a group report as a tree, for the HTML writer's nested
// sections: the counted rows except the root's, plus a row of zero amounts
// for every category (project) above them that has no row of its own, so
// that every row hangs under its parent.
//
// Invariants:
//  1. Each node appears once; children are in label order.
//  2. Every node is reachable from tops exactly once: a node whose parent is
//     the root, missing, or part of a damaged loop of links becomes a top.

#include "reports/GroupReport.h"

#include <functional>

struct GroupTreeNode {
    qint32 id = 0;
    QString name;   // the record's own name
    QString label;  // its full path
    Money deposits;
    Money payments;  // magnitude
    std::vector<Money> currencyDeposits;
    std::vector<Money> currencyPayments;
    std::vector<size_t> children;
};

class GroupTree {
public:
    // How the tree's table answers: a record's parent (0 for none or a root),
    // its own name and its path.
    struct Lookup {
        std::function<qint32(qint32)> parentOf;
        std::function<QString(qint32)> nameOf;
        std::function<QString(qint32)> pathOf;
    };

    static constexpr qint32 RootId = 1;

    static GroupTree build(const GroupReport& report, const Lookup& lookup);

    const std::vector<GroupTreeNode>& nodes() const { return m_nodes; }
    const std::vector<size_t>& tops() const { return m_tops; }

private:
    void addRow(const GroupRow& row, size_t currencies);
    void addMissingParents(const Lookup& lookup, size_t currencies);
    void link(const Lookup& lookup);
    void sortByLabel(std::vector<size_t>& indexes) const;

    std::vector<GroupTreeNode> m_nodes;
    std::vector<size_t> m_tops;
};
