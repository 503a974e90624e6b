#include "planning/PlannerActions.h"

#include "planning/PlannerEntry.h"
#include "platform/StoreTransaction.h"
#include "store/KeyText.h"
#include "store/SortScope.h"

PlannerActions::PlannerActions(TableSet& tables, FutureList& future, const Clock& clock, Interaction& ui)
    : m_tables(tables), m_future(future), m_clock(clock), m_ui(ui)
{
}

QString PlannerActions::toggleText(bool stopped)
{
    return QString::fromLatin1(stopped ? ActivateText : StopText);
}

// Rebuilt in full up to the horizon it already reaches; before any build
// (horizon 0) up to today.
bool PlannerActions::rebuild()
{
    FileTime target = m_future.horizon();
    if (target == 0)
        target = fileTimeNow(m_clock).value_or(0);
    return m_future.build(target, true);
}

std::optional<bool> PlannerActions::toggleStopped(qint32 id)
{
    ObjectStore* store = m_tables.store();
    if (!store)
        return std::nullopt;
    StoreTransaction transaction(*store);
    if (!transaction.isOpen())
        return std::nullopt;
    bool stopped = false;
    {
        DbTable& planner = m_tables.planner();
        SortScope scope(planner, Prop::PlannerId);
        const std::optional<PlannerEntry> plan = scope.ok() ? PlannerEntry::find(planner, id) : std::nullopt;
        if (!plan)
            return std::nullopt;
        if (plan->stopped && plan->isFinished())
            return true;
        stopped = !plan->stopped;
        if (!planner.setInt(Prop::Stopped, stopped ? 1 : 0))
            return std::nullopt;
    }
    if (!rebuild() || !transaction.commit())
        return std::nullopt;
    return stopped;
}

PlannerActions::DeleteOutcome PlannerActions::remove(qint32 id)
{
    {
        DbTable& planner = m_tables.planner();
        SortScope scope(planner, Prop::PlannerId);
        if (!scope.ok() || !PlannerEntry::find(planner, id))
            return DeleteOutcome::Missing;
    }
    if (!m_ui.askYesNo(QString::fromLatin1(DeleteQuestion)))
        return DeleteOutcome::Declined;
    ObjectStore* store = m_tables.store();
    if (!store)
        return DeleteOutcome::Failed;
    StoreTransaction transaction(*store);
    if (!transaction.isOpen())
        return DeleteOutcome::Failed;
    m_ui.progressLabel(QString::fromLatin1(ProgressText));
    m_ui.progressRange(ProgressSteps);
    const std::optional<std::vector<RecordId>> records = postedFrom(id);
    if (!records)
        return DeleteOutcome::Failed;
    const qint64 total = static_cast<qint64>(records->size());
    const qint64 tenth = std::max<qint64>(1, total / ProgressSteps);
    for (qint64 done = 0; done < total; ++done) {
        if (!releaseTransaction((*records)[static_cast<size_t>(done)]))
            return DeleteOutcome::Failed;
        if ((done + 1) % tenth == 0) {
            m_ui.progressStep(std::min(ProgressSteps, (done + 1) / tenth));
            if (m_ui.progressStopRequested())
                return DeleteOutcome::Declined;
        }
    }
    m_ui.progressStep(ProgressSteps);
    if (!deletePlan(id) || !rebuild() || !transaction.commit())
        return DeleteOutcome::Failed;
    return DeleteOutcome::Deleted;
}

// Every posting of the plan carries its planner key, so the plan's
// transactions are one run of the planner-key order. Keys compare as text
// ("12_..." sorts before "1_"), so the run is bounded by the id's own start
// and end keys and each record's id is checked as well.
std::optional<std::vector<RecordId>> PlannerActions::postedFrom(qint32 id)
{
    DbTable& transactions = m_tables.transactions();
    SortScope scope(transactions, Prop::PlannerKey, DbTable::SortKind::Text);
    if (!scope.ok())
        return std::nullopt;
    std::vector<RecordId> records;
    const QString end = idEndKey(id);
    bool found = transactions.seekText(SeekKind::NotLess, idStartKey(id));
    while (found) {
        const QString key = transactions.getText(Prop::PlannerKey);
        if (key.isEmpty() || key >= end)
            break;
        const std::optional<ParsedKey> parsed = parseFullKey(key);
        if (transactions.getInt(Prop::PlannerId) == id || (parsed && parsed->id == id))
            records.push_back(transactions.recordId());
        const qint64 next = transactions.position() + 1;
        found = next < transactions.count() && transactions.moveTo(next);
    }
    return records;
}

bool PlannerActions::releaseTransaction(RecordId record)
{
    DbTable& transactions = m_tables.transactions();
    if (!transactions.moveToRecord(record))
        return false;
    if (transactions.getInt(Prop::AccountId) == ReservedAccount::Holder)
        return transactions.deleteAt(transactions.position());
    return transactions.setValues(
        {PropValue::ofInt(Prop::PlannerId, 0), PropValue::ofInt64(Prop::PartialPosting, 0),
         PropValue::ofInt64(Prop::PostedAmount, 0), PropValue::removal(Prop::PlannerKey, PropType::Text)});
}

bool PlannerActions::deletePlan(qint32 id)
{
    DbTable& planner = m_tables.planner();
    SortScope scope(planner, Prop::PlannerId);
    return scope.ok() && PlannerEntry::find(planner, id) && planner.deleteAt(planner.position());
}
