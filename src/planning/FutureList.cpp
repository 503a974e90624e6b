#include "planning/FutureList.h"

#include "planning/FutureListRecord.h"
#include "planning/OccurrenceListing.h"
#include "platform/StoreTransaction.h"
#include "store/RecordLayout.h"
#include "store/SortScope.h"

#include <algorithm>

FutureList::FutureList(TableSet& tables, ProjectTotals& totals, const QLocale& locale, FileTime& horizon)
    : m_tables(tables), m_totals(totals), m_locale(locale), m_horizon(horizon)
{
}

bool FutureList::build(FileTime targetDay, bool force)
{
    const FileTime target = endOfDay(targetDay);
    if (!force && target == m_horizon)
        return true;
    ObjectStore* store = m_tables.store();
    if (!store)
        return false;
    // The scopes outlive the transaction, so a rollback happens before the sorts are put back.
    SortScope scheduledScope(m_tables.scheduled(), Prop::Date, DbTable::SortKind::Date);
    SortScope plannerScope(m_tables.planner(), Prop::PlannerId, DbTable::SortKind::Integer);
    StoreTransaction transaction(*store);
    if (!scheduledScope.ok() || !plannerScope.ok() || !transaction.isOpen())
        return false;
    bool built = false;
    if (force) {
        // An occurrence listed again was already seen in a reminder: it keeps
        // its mark, so the next reminder does not show it once more.
        const std::set<std::pair<qint32, FileTime>> reminded = remindedOccurrences();
        built = removeAll() && extend(target, std::nullopt) && markReminded(reminded);
    } else if (target < m_horizon)
        built = shrink(target);
    else
        built = extend(target, m_horizon);
    if (!built || !transaction.commit())
        return false;
    m_horizon = target;
    ++m_version;
    return true;
}

std::set<std::pair<qint32, FileTime>> FutureList::remindedOccurrences()
{
    DbTable& scheduled = m_tables.scheduled();
    std::set<std::pair<qint32, FileTime>> reminded;
    for (qint64 position = 0; position < scheduled.count(); ++position) {
        if (scheduled.moveTo(position) && scheduled.getInt(Prop::Reminded) != 0)
            reminded.emplace(scheduled.getInt(Prop::PlannerId), scheduled.getInt64(Prop::Date));
    }
    return reminded;
}

bool FutureList::markReminded(const std::set<std::pair<qint32, FileTime>>& reminded)
{
    if (reminded.empty())
        return true;
    DbTable& scheduled = m_tables.scheduled();
    for (qint64 position = 0; position < scheduled.count(); ++position) {
        if (!scheduled.moveTo(position))
            return false;
        if (reminded.count({scheduled.getInt(Prop::PlannerId), scheduled.getInt64(Prop::Date)}) != 0 &&
            !scheduled.setInt(Prop::Reminded, 1))
            return false;
    }
    return true;
}

bool FutureList::removeAll()
{
    DbTable& scheduled = m_tables.scheduled();
    while (scheduled.count() > 0) {
        if (!scheduled.deleteAt(scheduled.count() - 1))
            return false;
    }
    return true;
}

// Only entries dated after the target can show after it. Walking back from the
// last one keeps the positions still to visit in place as entries go.
bool FutureList::shrink(FileTime target)
{
    DbTable& scheduled = m_tables.scheduled();
    if (target == maxFileTime() || !scheduled.seekInt64(SeekKind::NotLess, target + 1))
        return true;  // no entry is dated after the target
    const qint64 first = scheduled.position();
    for (qint64 position = scheduled.count() - 1; position >= first; --position) {
        if (!scheduled.moveTo(position))
            return false;
        const FutureEntry entry = FutureListRecord::read(scheduled);
        if (OccurrenceListing::showDate(entry.date, reminderMinutesOf(entry)) > target &&
            !scheduled.deleteAt(position))
            return false;
    }
    return true;
}

// The lead time is the plan's own: an entry keeps a copy only for the reminder.
qint32 FutureList::reminderMinutesOf(const FutureEntry& entry)
{
    const std::optional<PlannerEntry> plan = PlannerEntry::find(m_tables.planner(), entry.plannerId);
    return plan ? plan->reminderMinutes : entry.reminderMinutes;
}

bool FutureList::extend(FileTime target, std::optional<FileTime> after)
{
    const std::optional<std::vector<Listed>> listed = collect(target, after);
    if (!listed)
        return false;
    DbTable& scheduled = m_tables.scheduled();
    for (const Listed& l : *listed) {
        if (!FutureListRecord::add(scheduled, l.plan, l.occurrence, m_locale))
            return false;
    }
    return true;
}

std::optional<std::vector<FutureList::Listed>> FutureList::collect(FileTime target,
                                                                   std::optional<FileTime> after)
{
    DbTable& planner = m_tables.planner();
    SortScope scope(planner, Prop::PlannerId, DbTable::SortKind::Integer);
    if (!scope.ok())
        return std::nullopt;
    std::vector<Listed> listed;
    for (qint64 position = 0; position < planner.count(); ++position) {
        if (!planner.moveTo(position))
            return std::nullopt;
        const PlannerEntry plan = PlannerEntry::read(planner);
        const auto occurrences = OccurrenceListing::of(plan, m_tables.transactions(), target, after);
        if (!occurrences)
            return std::nullopt;
        for (const ExpectedOccurrence& o : *occurrences)
            listed.push_back({plan, o});
    }
    // Plans in id order, each in occurrence order: a stable sort by date keeps
    // that order among occurrences that share a date.
    std::stable_sort(listed.begin(), listed.end(),
                     [](const Listed& a, const Listed& b) { return a.occurrence.date < b.occurrence.date; });
    return listed;
}

std::vector<ExpectedOccurrence> FutureList::expected(FileTime horizon)
{
    std::vector<ExpectedOccurrence> out;
    if (const std::optional<std::vector<Listed>> listed = collect(horizon, std::nullopt)) {
        out.reserve(listed->size());
        for (const Listed& l : *listed)
            out.push_back(l.occurrence);
    }
    return out;
}

qint64 FutureList::count()
{
    SortScope scope(m_tables.scheduled(), Prop::Date, DbTable::SortKind::Date);
    return scope.ok() ? m_tables.scheduled().count() : 0;
}

std::optional<FutureEntry> FutureList::readAt(qint64 position)
{
    DbTable& scheduled = m_tables.scheduled();
    if (position < 0 || !scheduled.moveTo(position))
        return std::nullopt;
    return FutureListRecord::read(scheduled);
}

std::optional<FutureEntry> FutureList::entryAt(qint64 position)
{
    SortScope scope(m_tables.scheduled(), Prop::Date, DbTable::SortKind::Date);
    return scope.ok() ? readAt(position) : std::nullopt;
}

std::vector<FutureEntry> FutureList::entries()
{
    SortScope scope(m_tables.scheduled(), Prop::Date, DbTable::SortKind::Date);
    std::vector<FutureEntry> all;
    const qint64 total = scope.ok() ? m_tables.scheduled().count() : 0;
    for (qint64 position = 0; position < total; ++position) {
        if (std::optional<FutureEntry> entry = readAt(position))
            all.push_back(std::move(*entry));
    }
    return all;
}
