#pragma once

// The project tree: the Project table read as a tree under "All projects" (id 1),
// bold projects, and deleting a project.
//
// A project's totals sit on its record (the project page shows them); deleting a
// project takes its own sums out of every ancestor's subtree sums and marks its
// parent stale, so the next stale-only update settles the rest.

#include "platform/Interaction.h"
#include "reference/TreeItems.h"
#include "reference/TreeTable.h"
#include "store/FileTime.h"
#include "store/TableSet.h"

#include <QSet>
#include <QString>

class Projects {
public:
    static constexpr const char* RootName = "All projects";

    explicit Projects(TableSet& tables);

    TreeTable& tree() { return m_tree; }
    quint64 changeCount() const { return m_tree.changeCount(); }

    // A new book, and whenever id 1 is found missing: the root "All projects".
    bool ensureRoot() { return m_tree.ensureRoot(); }

    qint32 create(qint32 parent, const QString& name) { return m_tree.create(parent, name); }
    QString pathOf(qint32 id) { return id == 0 ? QString() : m_tree.pathOf(id); }
    qint32 findByPath(const QString& path) { return m_tree.findByPath(path); }
    qint32 createByPath(const QString& path) { return m_tree.createByPath(path); }
    static QString missingQuestion(const QString& path);
    // As Categories::findOrCreate, without the account form.
    qint32 findOrCreate(const QString& path, Interaction* ask)
    {
        return m_tree.findOrCreate(path, ask, missingQuestion(path));
    }

    // The projects with a future-list entry dated on or before `today`'s day
    // (up to 23:59:59.999), and all their ancestors.
    QSet<qint32> boldProjects(FileTime today);

    // The items of the project tree in table order, the top item and
    // `remembered` expanded and `remembered` visible.
    TreeItems fill(qint32 remembered, const QSet<qint32>& bold);

    static QString deleteQuestion(const QString& name);
    // Deletes a project without children after asking: its transactions lose
    // project and project key, its plans and future-list entries their project.
    // One store transaction.
    TreeTable::DeleteOutcome remove(qint32 id, Interaction& ui);

private:
    bool detachTransactions(qint32 id);
    bool detachScheduled(qint32 id);
    bool withdrawTotals(qint32 id);
    bool markStale(qint32 id);

    TableSet& m_tables;
    TreeTable m_tree;
};
