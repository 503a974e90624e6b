#include "reference/ClearReferences.h"

#include "store/SortScope.h"

bool clearReferences(DbTable& table, quint16 prop, qint32 id, std::optional<quint16> alsoRemove)
{
    SortScope scope(table, 0, DbTable::SortKind::None);
    if (!scope.ok())
        return false;
    const qint64 total = table.count();
    for (qint64 position = 0; position < total; ++position) {
        if (!table.moveTo(position))
            return false;
        if (table.getInt(prop) != id)
            continue;
        if (!table.setInt(prop, 0))
            return false;
        if (alsoRemove && !table.removeProperty(*alsoRemove))
            return false;
    }
    return true;
}
