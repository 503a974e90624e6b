#include "reference/ProjectTotalsKeyRun.h"

#include "store/KeyText.h"
#include "store/RecordLayout.h"

bool ProjectTotalsKeyRun::forEach(DbTable& table, qint32 projectId, const Visit& visit, quint64* read)
{
    if (!table.seekText(SeekKind::NotLess, idStartKey(projectId)))
        return table.lastError() == StoreError::NotFound;  // no key at or after the run
    const QString end = idEndKey(projectId);
    const qint64 total = table.count();
    for (qint64 position = table.position(); position < total; ++position) {
        if (!table.moveTo(position))
            return false;
        if (read)
            ++*read;
        // Records without a key sort last, so they end the run as well.
        if (!table.has(Prop::ProjectKey) || table.getText(Prop::ProjectKey) >= end)
            break;
        if (table.getInt(Prop::ProjectId) == projectId)
            visit(table);
    }
    return true;
}
