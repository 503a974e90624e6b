#pragma once

// Checks the project totals against the transactions without writing
// anything: the invariants of ProjectTotals, for every project whose
// totals-valid flag is 1 (a stale project is waiting for its recompute and
// may hold anything):
//  1. its per-currency fields are the unconverted sums of its transactions
//     (those of reserved accounts left out);
//  2. its own sums are those sums converted into the default currency term
//     by term;
//  3. its subtree sums are the stored own sums of every project whose chain
//     of parent links reaches it.
// It also checks the project keys the sums are found by, for every
// transaction of a real account: a transaction has a project key exactly when
// it has a project, and the key is the project id with the transaction's date.
//
// The cursors are left in the sort orders they were found in.

#include "reference/CurrencyCache.h"
#include "reference/ProjectTotalsRecord.h"
#include "reference/ProjectTotalsSums.h"
#include "store/TableSet.h"

#include <QHash>
#include <QStringList>
#include <QStringView>

#include <vector>

class ProjectTotalsCheck {
public:
    // Both owned by the caller; they must outlive the check.
    ProjectTotalsCheck(TableSet& tables, const CurrencyCache& currencies);

    // One line per problem; none when the totals hold. `defaultCode` is the
    // currency the own and subtree sums are kept in.
    QStringList problems(QStringView defaultCode);

private:
    struct Node {
        ProjectTotalsRecord stored;
        ProjectTotalsSums counted;
        Money subtreeDeposits;  // from the stored own sums of the descendants
        Money subtreePayments;
    };

    bool readProjects(QStringList& out);
    bool sweepTransactions(QStringList& out);
    void checkKey(const DbTable& t, QStringList& out) const;
    void count(const DbTable& t);
    void addSubtrees();
    void compare(const Node& node, QStringView defaultCode, QStringList& out) const;
    void compareCurrencyFields(const Node& node, QStringList& out) const;
    QString label(const Node& node) const;
    QString currencyName(int number) const;

    TableSet& m_tables;
    const CurrencyCache& m_currencies;
    std::vector<Node> m_nodes;
    QHash<qint32, size_t> m_indexOf;  // the first record of each id, as a seek finds it
};
