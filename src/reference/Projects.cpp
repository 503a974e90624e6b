#include "reference/Projects.h"

#include "platform/StoreTransaction.h"
#include "reference/ClearReferences.h"
#include "reference/TreeFill.h"
#include "store/KeyText.h"
#include "store/Money.h"
#include "store/RecordLayout.h"
#include "store/SortScope.h"

Projects::Projects(TableSet& tables)
    : m_tables(tables), m_tree(tables.projects(), Prop::ProjectId, QString::fromUtf8(RootName))
{
}

QSet<qint32> Projects::boldProjects(FileTime today)
{
    const FileTime last = endOfDay(today);
    QSet<qint32> due;
    {
        DbTable& scheduled = m_tables.scheduled();
        SortScope scope(scheduled, Prop::Date, DbTable::SortKind::Date);
        const qint64 total = scope.ok() ? scheduled.count() : 0;
        // In date order: the first entry after today ends the walk; entries
        // without a date sort last.
        for (qint64 position = 0; position < total; ++position) {
            if (!scheduled.moveTo(position) || !scheduled.has(Prop::Date) ||
                scheduled.getInt64(Prop::Date) > last)
                break;
            if (scheduled.getInt(Prop::ProjectId) > 0)
                due.insert(scheduled.getInt(Prop::ProjectId));
        }
    }
    QSet<qint32> bold;
    for (const qint32 id : std::as_const(due)) {
        bold.insert(id);
        for (const qint32 above : m_tree.paths().ancestorsOf(id))
            bold.insert(above);
    }
    return bold;
}

TreeItems Projects::fill(qint32 remembered, const QSet<qint32>& bold)
{
    TreeFill::Options options;
    options.bold = bold;
    TreeItems items = TreeFill::fill(m_tree.records(), options);
    if (!items.childrenOf(TreeItems::Top).empty())
        items.at(items.childrenOf(TreeItems::Top).front()).expanded = true;
    const int chosen = remembered != 0 ? items.find(remembered) : -1;
    if (chosen >= 0) {
        items.at(chosen).expanded = true;
        items.expandAbove(chosen);
    }
    return items;
}

QString Projects::missingQuestion(const QString& path)
{
    return QStringLiteral("Project '") + path +
           QStringLiteral("' does not exist. Do You want to create new?");
}

QString Projects::deleteQuestion(const QString& name)
{
    return QStringLiteral("Delete Project") + QStringLiteral(" '") + name + QStringLiteral("'?");
}

// The project key run of the project, in project-key order: each record leaves
// the run once its key is dropped, so the next seek finds the next one.
bool Projects::detachTransactions(qint32 id)
{
    DbTable& transactions = m_tables.transactions();
    SortScope scope(transactions, Prop::ProjectKey, DbTable::SortKind::Text);
    if (!scope.ok())
        return false;
    const QString start = idStartKey(id);
    const QString end = idEndKey(id);
    for (qint64 left = transactions.count(); left > 0; --left) {
        if (!transactions.seekText(SeekKind::NotLess, start) || transactions.getText(Prop::ProjectKey) >= end)
            return true;
        if (transactions.getInt(Prop::ProjectId) == id && !transactions.setInt(Prop::ProjectId, 0))
            return false;
        if (!transactions.removeProperty(Prop::ProjectKey))
            return false;
    }
    return true;
}

bool Projects::detachScheduled(qint32 id)
{
    return clearReferences(m_tables.scheduled(), Prop::ProjectId, id, Prop::ProjectKey);
}

// What recomputing the emptied project would do to its ancestors: take its own
// sums out of their subtree sums.
bool Projects::withdrawTotals(qint32 id)
{
    DbTable& projects = m_tables.projects();
    std::vector<qint32> above = m_tree.paths().ancestorsOf(id);
    SortScope scope(projects, Prop::ProjectId);
    if (!scope.ok() || !projects.seekInt(SeekKind::Equal, id))
        return false;
    const Money deposits = Money::fromHundredths(projects.getInt64(Prop::OwnDeposits));
    const Money payments = Money::fromHundredths(projects.getInt64(Prop::OwnPayments));
    if (deposits.isZero() && payments.isZero())
        return true;
    for (const qint32 ancestor : above) {
        if (!projects.seekInt(SeekKind::Equal, ancestor))
            return false;
        const Money treeDeposits = Money::fromHundredths(projects.getInt64(Prop::TreeDeposits)) - deposits;
        const Money treePayments = Money::fromHundredths(projects.getInt64(Prop::TreePayments)) - payments;
        if (!projects.setInt64(Prop::TreeDeposits, treeDeposits.hundredths()) ||
            !projects.setInt64(Prop::TreePayments, treePayments.hundredths()))
            return false;
    }
    return true;
}

bool Projects::markStale(qint32 id)
{
    DbTable& projects = m_tables.projects();
    SortScope scope(projects, Prop::ProjectId);
    if (!scope.ok() || !projects.seekInt(SeekKind::Equal, id))
        return true;  // no such parent: nothing to recompute
    return projects.getInt(Prop::TotalsValid) != 1 || projects.setInt(Prop::TotalsValid, 0);
}

TreeTable::DeleteOutcome Projects::remove(qint32 id, Interaction& ui)
{
    using Outcome = TreeTable::DeleteOutcome;
    if (!m_tree.canDelete(id))
        return Outcome::Refused;
    const TreeRecord record = m_tree.record(id).value_or(TreeRecord{});
    if (!ui.askYesNo(deleteQuestion(record.name)))
        return Outcome::Declined;
    StoreTransaction transaction(*m_tables.store());
    const bool done = transaction.isOpen() && detachTransactions(id) &&
                      clearReferences(m_tables.planner(), Prop::ProjectId, id) && detachScheduled(id) &&
                      withdrawTotals(id) && markStale(record.parent) && m_tree.removeRecord(id);
    if (!done || !transaction.commit())
        return Outcome::Failed;
    return Outcome::Deleted;
}
