#include "store/TableSet.h"

#include "store/RecordLayout.h"

const QString TableSet::ReindexText = QStringLiteral("Reindexing database");

TableSet::TableSet()
{
    for (size_t i = 0; i < m_tables.size(); ++i)
        m_tables[i] = std::make_unique<DbTable>(TableDefinitions::of(static_cast<TableKind>(i)).name);
}

void TableSet::attach(ObjectStore* store)
{
    m_store = store;
    for (auto& t : m_tables)
        t->attach(store);
}

bool TableSet::openAll()
{
    bool ok = true;
    for (TableKind kind : TableDefinitions::openOrder()) {
        DbTable& t = table(kind);
        if (!t.open()) {
            const bool missing = t.lastError() == StoreError::NotFound;
            ok = missing && t.create(TableDefinitions::of(kind).sorts) && t.open() && ok;
            if (!missing)
                ok = false;
        }
    }
    return ok;
}

bool TableSet::openExisting(const std::vector<TableKind>& kinds)
{
    bool ok = true;
    for (TableKind kind : kinds)
        ok = table(kind).open() && ok;
    return ok;
}

void TableSet::reindexAll(Interaction* progress)
{
    for (TableKind kind : TableDefinitions::openOrder()) {
        const TableDefinition& spec = TableDefinitions::of(kind);
        if (progress)
            progress->progressLabel(ReindexText + spec.reindexLabel);
        DbTable& t = table(kind);
        const DbId db = m_store ? m_store->findDatabase(spec.name) : 0;
        if (db == 0)
            continue;
        // Taking the sort orders away and giving them back rebuilds every index.
        (void)m_store->setSortSpecs(db, {});
        (void)m_store->setSortSpecs(db, spec.sorts);
        t.close();
        (void)t.open();
    }
}

bool TableSet::setWorkingSorts()
{
    bool ok = true;
    for (TableKind kind : TableDefinitions::openOrder()) {
        const TableDefinition& spec = TableDefinitions::of(kind);
        const SortSpec& sort = *std::find_if(spec.sorts.begin(), spec.sorts.end(),
                                             [&](const SortSpec& s) { return s.propId == spec.workingSort; });
        DbTable& t = table(kind);
        switch (sort.type) {
        case PropType::Int:
            ok = t.resortByInteger(sort.propId) && ok;
            break;
        case PropType::Text:
            ok = t.resortByText(sort.propId) && ok;
            break;
        case PropType::Int64:
            ok = t.resortByDate(sort.propId) && ok;
            break;
        }
    }
    return ok;
}

void TableSet::closeAll()
{
    for (TableKind kind : TableDefinitions::closeOrder())
        table(kind).close();
}

qint32 TableSet::nextPlannerId()
{
    DbTable& planner = this->planner();
    // Only the first call of a run looks at the transactions; later calls count on.
    const qint32 floor = planner.hasAllocatedId() ? 0 : largestPlannerIdInTransactions();
    return planner.nextId(Prop::PlannerId, floor);
}

// Planner keys sort as text, so "9_..." follows "10_...": the numeric largest
// id is found by visiting each id's run once (a seek per distinct id).
qint32 TableSet::largestPlannerIdInTransactions()
{
    DbTable& t = transactions();
    t.saveSort();
    qint32 largest = 0;
    if (t.resortByText(Prop::PlannerKey)) {
        bool found = t.seekText(SeekKind::NotLess, QString());
        for (qint64 guard = t.count(); found && guard >= 0; --guard) {
            const QString key = t.getText(Prop::PlannerKey);
            if (key.isEmpty())
                break;  // records without a planner key come last
            largest = std::max(largest, t.getInt(Prop::PlannerId));
            const qsizetype cut = key.indexOf(QLatin1Char('_'));
            if (cut <= 0)
                break;
            found = t.seekText(SeekKind::NotLess, key.left(cut) + QStringLiteral("_z"));
        }
    }
    t.restoreSort();
    return largest;
}
