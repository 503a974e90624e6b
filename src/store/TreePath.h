#pragma once

// Path texts of a tree kept as a flat table with parent links (the project and
// the category table): the names from the top down joined by ':'. A record whose
// parent is 0 is a root; a root's own path is its name and a root never shows in
// another record's path ("All projects" > Home > Garden gives Home:Garden).
//
// Invariant: every walk up the parent links is bounded by the table's record
// count and stops at an id it has already met, so damaged links that form a
// cycle cost at most one pass over the chain and never hang a caller.
//
// A typed path may begin with the root's name and ':' ("All categories:Auto")
// or with ':' alone (":Auto"); both mean the path below the root, for finding
// and for creating alike, so such a path never makes a second "Auto".
//
// The cursor is left in the order it was found in; its current record is not kept.

#include "store/DbTable.h"

#include <QString>
#include <QStringList>

#include <optional>
#include <vector>

class TreePath {
public:
    static constexpr QChar Separator = QLatin1Char(':');
    // The root every path without a parent part hangs under.
    static constexpr qint32 RootId = 1;

    struct Node {
        qint32 id = 0;
        qint32 parent = 0;
        QString name;
    };

    // The cursor of a tree table whose sort order `idProp` holds the record ids.
    TreePath(DbTable& table, quint16 idProp);

    // nullopt when no record has that id.
    std::optional<Node> node(qint32 id);
    // "" when no record has that id.
    QString pathOf(qint32 id);
    // The ids above `id`, its parent first, as far as the links lead to existing
    // records (a cycle ends the list before it repeats an id).
    std::vector<qint32> ancestorsOf(qint32 id);
    // True when `candidate` is `id` itself or one of its ancestors.
    bool isSelfOrAncestor(qint32 candidate, qint32 id);

    // The first record, in id order, whose path equals `path` ignoring case;
    // 0 when none or when the path is empty.
    qint32 findByPath(const QString& path);
    // Type-ahead: the first record, not a root, whose path is the typed parent
    // part (up to and including the last ':') followed by its own name, where
    // the typed last component only begins that name. 0 when none or when empty.
    qint32 findByPathPrefix(const QString& text);

    // A new record under `parent` with the next id; 0 when the write failed.
    qint32 createChild(qint32 parent, const QString& name);
    // Creates the last component of `path` under the record its parent part
    // names, creating that parent part first when it is missing. An empty path
    // gives the root without creating anything. The full path is not looked up
    // first: callers that want an existing record look for it themselves.
    // All records in one store transaction: 0 when a write failed, and then
    // none of them was made.
    qint32 createByPath(const QString& path);

    // "Home:Garden" -> {"Home", "Garden"}; an empty text gives no parts.
    static QStringList split(const QString& path);

private:
    std::optional<Node> read(qint32 id);
    std::vector<Node> chainOf(qint32 id);
    QString pathOfChain(const std::vector<Node>& chain) const;
    template <typename Accept> qint32 firstNameMatch(const QString& leaf, Accept accept);
    // `path` without a leading root name and ':', or a leading ':'.
    QString belowRoot(const QString& path);
    qint32 findInScope(const QString& path);
    qint32 createInScope(qint32 parent, const QString& name);

    DbTable& m_table;
    quint16 m_idProp;
};
