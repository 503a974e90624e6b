#include "reference/ProjectTotals.h"

#include "platform/StoreTransaction.h"
#include "reference/ProjectTotalsFullUpdate.h"
#include "reference/ProjectTotalsKeyRun.h"
#include "reference/ProjectTotalsWriter.h"
#include "store/RecordLayout.h"
#include "store/SortScope.h"

#include <QSet>

#include <algorithm>

namespace {

// A failed seek that found nothing is an answer; any other is a failure.
bool seekFailed(const DbTable& table)
{
    return table.lastError() != StoreError::NotFound;
}

}  // namespace

ProjectTotals::ProjectTotals(TableSet& tables, Projects& projects, const CurrencyCache& currencies)
    : m_tables(tables), m_projects(projects), m_currencies(currencies)
{
}

bool ProjectTotals::markStale(qint32 id)
{
    if (id < 1)
        return true;
    DbTable& projects = m_tables.projects();
    SortScope scope(projects, Prop::ProjectId);
    if (!scope.ok())
        return false;
    if (!projects.seekInt(SeekKind::Equal, id))
        return !seekFailed(projects);
    ++m_recordsRead;
    return ProjectTotalsWriter::markStale(projects);
}

bool ProjectTotals::markAllStale()
{
    DbTable& projects = m_tables.projects();
    // The scope outlives the transaction: a rollback comes before the sort is put back.
    SortScope scope(projects, Prop::ProjectId);
    StoreTransaction transaction(*m_tables.store());
    if (!scope.ok() || !transaction.isOpen())
        return false;
    for (qint64 position = 0; position < projects.count(); ++position) {
        if (!projects.moveTo(position) || !ProjectTotalsWriter::markStale(projects))
            return false;
    }
    return transaction.commit();
}

// A transaction of a reserved account belongs to no account, so no project counts it.
std::optional<ProjectTotalsSums> ProjectTotals::sumTransactions(qint32 id)
{
    ProjectTotalsSums sums(m_currencies);
    DbTable& transactions = m_tables.transactions();
    SortScope scope(transactions, Prop::ProjectKey, DbTable::SortKind::Text);
    const auto add = [&sums](const DbTable& t) {
        if (!isReservedAccount(t.getInt(Prop::AccountId)))
            sums.add(Money::fromHundredths(t.getInt64(Prop::Amount)), t.getText(Prop::CurrencyCode));
    };
    if (!scope.ok() || !ProjectTotalsKeyRun::forEach(transactions, id, add, &m_recordsRead))
        return std::nullopt;
    return sums;
}

std::optional<ProjectTotals::OwnChange> ProjectTotals::writeOwn(qint32 id, const ProjectTotalsSums& sums,
                                                                QStringView defaultCode)
{
    DbTable& projects = m_tables.projects();
    if (!projects.seekInt(SeekKind::Equal, id))
        return std::nullopt;
    ++m_recordsRead;
    const ProjectTotalsRecord old = ProjectTotalsRecord::readFrom(projects);
    const Money deposits = sums.ownDeposits(defaultCode);
    const Money payments = sums.ownPayments(defaultCode);
    if (!ProjectTotalsWriter::writeOwn(projects, sums.currencyFields(), deposits, payments) ||
        !ProjectTotalsWriter::markValid(projects))
        return std::nullopt;
    return OwnChange{old.parent, deposits - old.ownDeposits, payments - old.ownPayments};
}

// Parent links up from the project until one names no record; a link back to
// a record already met (damaged data) ends the walk, and so does the record
// count, so the walk always ends.
bool ProjectTotals::adjustAncestors(qint32 id, const OwnChange& change)
{
    if (change.deposits.isZero() && change.payments.isZero())
        return true;
    DbTable& projects = m_tables.projects();
    const qint64 limit = projects.count();
    QSet<qint32> seen{id};
    for (qint32 above = change.parent; above != 0 && !seen.contains(above) && seen.size() <= limit;) {
        if (!projects.seekInt(SeekKind::Equal, above))
            return !seekFailed(projects);
        ++m_recordsRead;
        seen.insert(above);
        const ProjectTotalsRecord r = ProjectTotalsRecord::readFrom(projects);
        if (!ProjectTotalsWriter::writeTree(projects, r.treeDeposits + change.deposits,
                                            r.treePayments + change.payments))
            return false;
        above = r.parent;
    }
    return true;
}

bool ProjectTotals::recomputeInScope(qint32 id, QStringView defaultCode)
{
    const std::optional<ProjectTotalsSums> sums = sumTransactions(id);
    if (!sums)
        return false;
    const std::optional<OwnChange> change = writeOwn(id, *sums, defaultCode);
    return change && adjustAncestors(id, *change);
}

bool ProjectTotals::recompute(qint32 id, QStringView defaultCode)
{
    SortScope scope(m_tables.projects(), Prop::ProjectId);
    StoreTransaction transaction(*m_tables.store());
    return scope.ok() && transaction.isOpen() && recomputeInScope(id, defaultCode) && transaction.commit();
}

std::optional<std::vector<qint32>> ProjectTotals::staleIds()
{
    DbTable& projects = m_tables.projects();
    std::vector<qint32> ids;
    const qint64 total = projects.count();
    for (qint64 position = 0; position < total; ++position) {
        if (!projects.moveTo(position))
            return std::nullopt;
        ++m_recordsRead;
        if (projects.getInt(Prop::TotalsValid) != 1)
            ids.push_back(projects.getInt(Prop::ProjectId));
    }
    return ids;
}

void ProjectTotals::tell(Interaction* ui) const
{
    if (ui)
        ui->showStatus(QString::fromUtf8(UpdateText));
}

bool ProjectTotals::updateStale(QStringView defaultCode, Interaction* ui)
{
    tell(ui);
    SortScope scope(m_tables.projects(), Prop::ProjectId);
    StoreTransaction transaction(*m_tables.store());
    if (!scope.ok() || !transaction.isOpen() || !m_projects.ensureRoot())
        return false;
    const std::optional<std::vector<qint32>> stale = staleIds();
    if (!stale)
        return false;
    for (const qint32 id : *stale) {
        if (!recomputeInScope(id, defaultCode))
            return false;
    }
    return transaction.commit();
}

bool ProjectTotals::updateAll(QStringView defaultCode, Interaction* ui)
{
    tell(ui);
    SortScope scope(m_tables.projects(), Prop::ProjectId);
    StoreTransaction transaction(*m_tables.store());
    if (!scope.ok() || !transaction.isOpen() || !m_projects.ensureRoot())
        return false;
    ProjectTotalsFullUpdate full(m_tables, m_currencies, m_recordsRead);
    return full.run(defaultCode) && transaction.commit();
}

ProjectTotalsScheduled ProjectTotals::scheduledSums(qint32 id, FileTime horizon, QStringView defaultCode)
{
    ProjectTotalsScheduled sums;
    DbTable& scheduled = m_tables.scheduled();
    SortScope scope(scheduled, Prop::ProjectKey, DbTable::SortKind::Text);
    const auto add = [&](const DbTable& entry) {
        if (entry.getInt64(Prop::Date) > horizon)
            return;
        const Money amount = Money::fromHundredths(entry.getInt64(Prop::Amount));
        const QString code = entry.getText(Prop::CurrencyCode);
        sums.inDefault += m_currencies.convert(amount, code, defaultCode);
        auto it = std::find_if(sums.byCurrency.begin(), sums.byCurrency.end(),
                               [&](const CurrencyAmount& c) { return c.code == code; });
        if (it == sums.byCurrency.end())
            sums.byCurrency.push_back({amount, code});
        else
            it->amount += amount;
        ++sums.entries;
    };
    if (scope.ok())
        (void)ProjectTotalsKeyRun::forEach(scheduled, id, add, &m_recordsRead);
    return sums;
}

std::optional<ProjectTotalsRecord> ProjectTotals::totalsOf(qint32 id)
{
    DbTable& projects = m_tables.projects();
    SortScope scope(projects, Prop::ProjectId);
    if (!scope.ok() || !projects.seekInt(SeekKind::Equal, id))
        return std::nullopt;
    ++m_recordsRead;
    return ProjectTotalsRecord::readFrom(projects);
}
