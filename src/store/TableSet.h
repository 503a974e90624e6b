#pragma once

#include "platform/Interaction.h"
#include "store/DbTable.h"
#include "store/TableDefinition.h"

#include <array>
#include <memory>

// The seven table cursors of one program run, over one store.
class TableSet {
public:
    TableSet();

    // The store every cursor works on; owned by the caller, must outlive the set.
    void attach(ObjectStore* store);
    ObjectStore* store() const { return m_store; }

    DbTable& table(TableKind kind) { return *m_tables[static_cast<size_t>(kind)]; }
    DbTable& transactions() { return table(TableKind::Transaction); }
    DbTable& scheduled() { return table(TableKind::Scheduled); }
    DbTable& planner() { return table(TableKind::Planner); }
    DbTable& accounts() { return table(TableKind::Account); }
    DbTable& projects() { return table(TableKind::Project); }
    DbTable& categories() { return table(TableKind::Category); }
    DbTable& currencies() { return table(TableKind::Currency); }

    // Opens every table, creating the missing ones with their sort orders.
    // False when a creation or an open failed (the caller then says
    // "Can not initialize database engine.").
    bool openAll();
    // Opens only the given tables (the report program's five); never creates.
    bool openExisting(const std::vector<TableKind>& kinds);
    // Rebuilds every index, telling the progress window which table it is at.
    void reindexAll(Interaction* progress);
    // The sort orders every part expects to find active.
    bool setWorkingSorts();
    void closeAll();

    // The next planner id: never one that a posted transaction still carries.
    qint32 nextPlannerId();

    static const QString ReindexText;

private:
    qint32 largestPlannerIdInTransactions();

    ObjectStore* m_store = nullptr;
    std::array<std::unique_ptr<DbTable>, 7> m_tables;
};
