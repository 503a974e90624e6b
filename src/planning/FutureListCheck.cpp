#include "planning/FutureListCheck.h"

#include "platform/Clock.h"
#include "store/KeyText.h"
#include "store/RecordLayout.h"
#include "store/SortScope.h"

#include <QHash>

#include <map>

namespace {

// An occurrence is named by its planner key: plan id and occurrence date.
QString nameOf(qint32 plannerId, FileTime date)
{
    return fullKey(plannerId, date);
}

QString amountOf(Money amount)
{
    return moneyText(amount, LocaleValues());
}

QString amountsOf(Money amount, Money full)
{
    return full.isZero() ? amountOf(amount) : amountOf(amount) + QStringLiteral(" of ") + amountOf(full);
}

}  // namespace

QStringList FutureListCheck::problems(FileTime horizon)
{
    QStringList out;
    if (horizon != 0 && horizon != endOfDay(horizon))
        out << QStringLiteral("the future-list horizon %1 is not the end of a day")
                   .arg(Clock::formatMoment(localFromFileTime(horizon)));
    const std::vector<FutureEntry> entries = m_future.entries();
    checkEntries(entries, out);
    checkOccurrences(entries, horizon, out);
    return out;
}

void FutureListCheck::checkEntries(const std::vector<FutureEntry>& entries, QStringList& out)
{
    QHash<qint32, bool> stopped;
    DbTable& planner = m_tables.planner();
    SortScope scope(planner, Prop::PlannerId, DbTable::SortKind::Integer);
    if (!scope.ok()) {
        out << QStringLiteral("the planner table cannot be read");
        return;
    }
    for (qint64 position = 0; position < planner.count(); ++position) {
        if (planner.moveTo(position))
            stopped.insert(planner.getInt(Prop::PlannerId), planner.getInt(Prop::Stopped) == 1);
    }
    for (const FutureEntry& e : entries) {
        const QString name = nameOf(e.plannerId, e.date);
        if (!stopped.contains(e.plannerId))
            out << QStringLiteral("future-list entry %1 names plan %2, which does not exist")
                       .arg(name)
                       .arg(e.plannerId);
        else if (stopped.value(e.plannerId))
            out << QStringLiteral("future-list entry %1 belongs to plan %2, which is stopped")
                       .arg(name)
                       .arg(e.plannerId);
        if (e.project > 0 && e.projectKey != fullKey(e.project, e.date))
            out << QStringLiteral("future-list entry %1 has project key '%2' instead of '%3'")
                       .arg(name, e.projectKey, fullKey(e.project, e.date));
        else if (e.project <= 0 && !e.projectKey.isEmpty())
            out << QStringLiteral("future-list entry %1 has project key '%2' but no project")
                       .arg(name, e.projectKey);
    }
}

// Matched by plan and date; the stored order among equal dates depends on how
// the list was grown, so it is not compared.
void FutureListCheck::checkOccurrences(const std::vector<FutureEntry>& entries, FileTime horizon,
                                       QStringList& out)
{
    std::multimap<std::pair<qint32, FileTime>, const FutureEntry*> stored;
    for (const FutureEntry& e : entries)
        stored.emplace(std::pair{e.plannerId, e.date}, &e);
    for (const ExpectedOccurrence& o : m_future.expected(horizon)) {
        const QString name = nameOf(o.plannerId, o.date);
        const auto it = stored.find({o.plannerId, o.date});
        if (it == stored.end()) {
            out << QStringLiteral("the future list lacks occurrence %1 (%2)")
                       .arg(name, amountsOf(o.amount, o.fullAmount));
            continue;
        }
        const FutureEntry& e = *it->second;
        if (e.amount != o.amount || e.fullAmount != o.fullAmount)
            out << QStringLiteral("future-list entry %1 holds %2 where %3 is open")
                       .arg(name, amountsOf(e.amount, e.fullAmount), amountsOf(o.amount, o.fullAmount));
        stored.erase(it);
    }
    for (const auto& [key, e] : stored)
        out << QStringLiteral("future-list entry %1 is no open occurrence up to the horizon")
                   .arg(nameOf(key.first, key.second));
}
