#pragma once

#include "store/DbTable.h"

// Holds a shared cursor in one sort order for a scope and puts back the
// order it found, whatever happens inside. DbTable keeps a single saved sort
// that nextId() itself overwrites, so work that allocates ids between a
// saveSort() and its restoreSort() would restore the wrong order; this guard
// remembers the order itself and therefore nests.
class SortScope {
public:
    SortScope(DbTable& table, quint16 sortId, DbTable::SortKind kind = DbTable::SortKind::Integer);
    ~SortScope();
    SortScope(const SortScope&) = delete;
    SortScope& operator=(const SortScope&) = delete;

    // False when the table could not be put in the asked order; the caller then
    // reads nothing (the guard still restores what it found).
    bool ok() const { return m_ok; }

private:
    static bool resort(DbTable& table, quint16 sortId, DbTable::SortKind kind);

    DbTable& m_table;
    quint16 m_savedId;
    DbTable::SortKind m_savedKind;
    bool m_wasOpen;
    bool m_ok;
};
