#pragma once

// The names a report shows for ids: account names, category and project
// paths. Each is read from its table once per build and then kept, so a scan
// of a million transactions reads each tree only as deep as its rows need.
// The cursors' sort orders are put back after every read.

#include <QHash>
#include <QString>

class TableSet;

class ReportLabels {
public:
    // The table set is owned by the caller and must outlive the labels.
    explicit ReportLabels(TableSet& tables) : m_tables(tables) {}

    // "" for an id without a record.
    QString accountName(qint32 id);
    QString categoryPath(qint32 id);
    QString projectPath(qint32 id);
    // "[" + account name + "]": how a transfer names its account.
    QString bracketedAccount(qint32 id) { return QLatin1Char('[') + accountName(id) + QLatin1Char(']'); }
    // The parent's id; 0 for a root or an id without a record.
    qint32 categoryParent(qint32 id);
    qint32 projectParent(qint32 id);
    // The record's own name, not its path.
    QString categoryName(qint32 id);
    QString projectName(qint32 id);

    void forget();

private:
    struct Node {
        qint32 parent = 0;
        QString name;
        QString path;
    };
    const Node& category(qint32 id);
    const Node& project(qint32 id);

    TableSet& m_tables;
    QHash<qint32, QString> m_accounts;
    QHash<qint32, Node> m_categories;
    QHash<qint32, Node> m_projects;
};
