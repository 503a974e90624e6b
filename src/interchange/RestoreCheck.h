#pragma once

// Whether the records of a backup file make a book that holds together, seen
// record by record as a restore reads them and once more at the end: a file
// that contradicts itself would restore into a book whose registers, sums and
// repairs go wrong, so such a file is refused as a whole.
//
// A record must carry the id it is found by (the account key and account id
// of a transaction; the id of an account, project, category or plan; the code
// of a currency), and no two records may share one. A transaction's keys
// agree with the properties they are built from: the account key names the
// account and the date the record holds, the project and planner keys name
// its project and plan. At the end every transaction's account exists (the
// reserved accounts have no record), and every parent a project or category
// names exists without the parent links running in a circle.

#include "platform/StoreTypes.h"
#include "store/TableDefinition.h"

#include <QHash>
#include <QSet>
#include <QString>

#include <vector>

class RestoreCheck {
public:
    // One record as the restore will store it (zeros and empty texts left out).
    // False once a problem was found; problem() names the record.
    bool add(TableKind kind, const PropList& props);
    // The checks across records, after the last one.
    bool finish();

    // "transaction 1_20240301120000000 is filed under account 1 but names account 0", ...
    const QString& problem() const { return m_problem; }

private:
    struct TreeNode {
        qint32 parent = 0;
        qint64 record = 0;  // place among its table's records, from 1
    };
    struct Posting {
        QString key;
        qint32 account = 0;
    };

    bool fail(const QString& problem);
    bool addTransaction(const PropList& props, qint64 record);
    bool addId(const QString& what, QSet<qint32>& ids, qint32 id, qint64 record);
    bool addTreeNode(const QString& what, QHash<qint32, TreeNode>& nodes, qint32 id, qint32 parent,
                     qint64 record);
    bool addCurrency(const PropList& props, qint64 record);
    bool checkTree(const QString& what, const QHash<qint32, TreeNode>& nodes);

    QString m_problem;
    QHash<int, qint64> m_records;  // per table kind, records seen so far
    QSet<QString> m_accountKeys;
    std::vector<Posting> m_postings;
    QSet<qint32> m_accounts;
    QSet<qint32> m_plans;
    QHash<qint32, TreeNode> m_projects;
    QHash<qint32, TreeNode> m_categories;
    QSet<QString> m_currencyCodes;
    QSet<qint32> m_currencyNumbers;
};
