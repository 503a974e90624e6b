#pragma once

// The full form of the project totals update, done in three sweeps instead of
// one recompute per project: every project record is read once, the
// transactions with a project key once in key order, and each project record
// is written once with what changed. The result is what zeroing every project
// and recomputing each in turn would leave (see ProjectTotals' invariants),
// but the cost does not grow with the depth of the tree times its size.
//
// The caller holds the store transaction and keeps the project cursor in id
// order (its working order) for the duration.

#include "reference/CurrencyCache.h"
#include "reference/ProjectTotalsRecord.h"
#include "reference/ProjectTotalsSums.h"
#include "store/TableSet.h"

#include <QHash>
#include <QStringView>

#include <vector>

class ProjectTotalsFullUpdate {
public:
    // `recordsRead` is increased by every record read.
    ProjectTotalsFullUpdate(TableSet& tables, const CurrencyCache& currencies, quint64& recordsRead);

    // False when a read or a write failed.
    bool run(QStringView defaultCode);

private:
    struct Node {
        qint64 position = 0;
        ProjectTotalsRecord stored;
        ProjectTotalsSums sums;
        Money ownDeposits;
        Money ownPayments;
        Money treeDeposits;
        Money treePayments;
    };

    bool readProjects();
    bool sweepTransactions();
    void addToAncestors(size_t index, std::vector<size_t>& metAt);
    void computeSums(QStringView defaultCode);
    bool writeChanged();
    bool unchanged(const Node& node) const;

    TableSet& m_tables;
    const CurrencyCache& m_currencies;
    quint64& m_recordsRead;
    std::vector<Node> m_nodes;
    QHash<qint32, size_t> m_indexOf;  // the first record of each id
};
