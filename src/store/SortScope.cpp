#include "store/SortScope.h"

SortScope::SortScope(DbTable& table, quint16 sortId, DbTable::SortKind kind)
    : m_table(table), m_savedId(table.sortId()), m_savedKind(table.sortKind()), m_wasOpen(table.isOpen()),
      m_ok(resort(table, sortId, kind))
{
}

bool SortScope::resort(DbTable& table, quint16 sortId, DbTable::SortKind kind)
{
    if (table.isOpen() && table.sortId() == sortId && table.sortKind() == kind)
        return true;
    table.close();
    switch (kind) {
    case DbTable::SortKind::None:
        return table.open();
    case DbTable::SortKind::Integer:
        return table.openByInteger(sortId);
    case DbTable::SortKind::Text:
        return table.openByText(sortId);
    case DbTable::SortKind::Date:
        return table.openByDate(sortId);
    case DbTable::SortKind::DateTime:
        return table.openByDateTime(sortId);
    }
    return false;
}

SortScope::~SortScope()
{
    if (!m_wasOpen) {
        m_table.close();
        return;
    }
    // Reopened directly: the table's own saved sort may belong to a caller.
    resort(m_table, m_savedId, m_savedKind);
}
