#pragma once

// What the category tree and the project tree share: one table of records with
// an id, a parent link and a name, its path texts, its change counter and the
// edits a tree makes (create, rename, move, check state).
//
// The change counter moves on every create, rename, move, copy and delete, so a
// view that remembers the value of its last fill rebuilds only when it moved.
//
// Names typed in a tree follow TreeNameRule (no ':', which a path could never
// find again, no brackets, not empty, not too long). Names that arrive otherwise (a path's last component, a
// restored book) are stored as they come.

#include "platform/Interaction.h"
#include "reference/TreeRecord.h"
#include "store/DbTable.h"
#include "store/TreePath.h"

#include <QString>

#include <optional>
#include <vector>

class TreeTable {
public:
    static constexpr const char* NameWithColonText = "A name can not contain ':'.";
    static constexpr qint32 RootId = TreePath::RootId;

    // What a delete from a tree came to.
    enum class DeleteOutcome {
        Refused,   // the root, the "[Transfers]" branch, an account, a missing record or one with children
        Declined,  // the user answered No
        Deleted,
        Failed,  // a write failed; nothing was changed
    };

    // `table` is the cursor of the tree's table, sorted by `idProp` in its working
    // order; `rootName` names the root record id 1 when it has to be made.
    TreeTable(DbTable& table, quint16 idProp, QString rootName);

    DbTable& table() { return m_table; }
    TreePath& paths() { return m_paths; }
    const QString& rootName() const { return m_rootName; }

    quint64 changeCount() const { return m_changes; }
    void noteChange() { ++m_changes; }

    // --- reading -----------------------------------------------------------------
    std::optional<TreeRecord> record(qint32 id);
    bool exists(qint32 id) { return record(id).has_value(); }
    // Every record in id order.
    std::vector<TreeRecord> records();
    // True when another record names `id` as its parent (a record naming itself
    // does not count).
    bool hasChildren(qint32 id);

    // --- paths ---------------------------------------------------------------------
    QString pathOf(qint32 id) { return m_paths.pathOf(id); }
    qint32 findByPath(const QString& path) { return m_paths.findByPath(path); }
    qint32 findByPathPrefix(const QString& text) { return m_paths.findByPathPrefix(text); }
    // A new record for the last component, with missing parents made first; the
    // root for an empty path. Counts one change. 0 when a write failed.
    qint32 createByPath(const QString& path);
    // The path's record, else a new one made by path. With `ask`, `question` is
    // asked first and No gives 0; without, it is made silently (an import).
    // An empty path gives 0.
    qint32 findOrCreate(const QString& path, Interaction* ask, const QString& question);

    // --- editing -----------------------------------------------------------------------
    // A new child of `parent` named as given. Counts one change. 0 on failure.
    qint32 create(qint32 parent, const QString& name);
    static bool isTypeableName(const QString& name) { return !name.contains(TreePath::Separator); }
    // A name typed in a tree: a name TreeNameRule refuses is refused with its
    // message and nothing changes. Counts one change. False when refused or not written.
    bool rename(qint32 id, const QString& name, Interaction& ui);
    // Hangs `id` under `parent`. Counts one change. False when either id names
    // no record or the write failed; no check against cycles here.
    bool setParent(qint32 id, qint32 parent);
    // Stores the check state when it differs; true (and one change) only then.
    bool setCheckState(qint32 id, qint32 state);
    // Makes the root (id 1, parent 0) when it is missing. False when it could not.
    bool ensureRoot();
    // Only a record without children may go, and never the root; ids below 1
    // (the "[Transfers]" branch, accounts) are never records of the table.
    bool canDelete(qint32 id) { return id > RootId && exists(id) && !hasChildren(id); }
    // Deletes the record; the caller has dealt with whatever refers to it.
    bool removeRecord(qint32 id);

private:
    bool seek(qint32 id);
    TreeRecord current() const;

    DbTable& m_table;
    quint16 m_idProp;
    QString m_rootName;
    TreePath m_paths;
    quint64 m_changes = 0;
};
