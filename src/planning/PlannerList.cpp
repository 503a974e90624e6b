#include "planning/PlannerList.h"

#include "store/DateText.h"
#include "store/SortScope.h"

#include <algorithm>

PlannerList::PlannerList(TableSet& tables, const CurrencyCache& currencies, const LocaleValues& locale)
    : m_tables(tables), m_currencies(currencies), m_locale(locale)
{
}

bool PlannerList::reload()
{
    ++m_changes;
    m_entries.clear();
    DbTable& planner = m_tables.planner();
    SortScope scope(planner, Prop::PlannerId);
    if (!scope.ok())
        return false;
    const qint64 total = planner.count();
    m_entries.reserve(static_cast<size_t>(std::max<qint64>(total, 0)));
    for (qint64 position = 0; position < total; ++position) {
        if (!planner.moveTo(position)) {
            m_entries.clear();
            return false;
        }
        m_entries.push_back(PlannerEntry::read(planner));
    }
    return true;
}

std::optional<PlannerEntry> PlannerList::entry(qint64 row) const
{
    if (row < 0 || row >= newRow())
        return std::nullopt;
    return m_entries[static_cast<size_t>(row)];
}

std::optional<qint64> PlannerList::rowOf(qint32 id) const
{
    for (size_t i = 0; i < m_entries.size(); ++i) {
        if (m_entries[i].id == id)
            return static_cast<qint64>(i);
    }
    return std::nullopt;
}

PlannerCells::Icon PlannerList::iconOf(const PlannerEntry& entry)
{
    if (entry.stopped)
        return PlannerCells::Icon::Stopped;
    return entry.entries == 1 ? PlannerCells::Icon::Single : PlannerCells::Icon::Repeating;
}

PlannerCells PlannerList::cells(qint64 row, FileTime today) const
{
    PlannerCells cells;
    if (row < 0 || row > newRow())
        return cells;
    cells.style.band = row % 2 == 0;
    if (isNewRow(row)) {
        cells.starts = dateWithWeekday(today, m_locale);
        cells.description = QString::fromLatin1(NewRowText);
        return cells;
    }
    const PlannerEntry& e = m_entries[static_cast<size_t>(row)];
    cells.icon = iconOf(e);
    cells.starts = dateWithWeekday(e.nextDate, m_locale);
    cells.description = e.description;
    cells.amount = m_currencies.amountText(e.amount, e.currency, m_locale);
    return cells;
}

std::vector<PlannerColumn> PlannerList::columns()
{
    return {PlannerColumn::Icon, PlannerColumn::Starts, PlannerColumn::Description, PlannerColumn::Amount};
}

QString PlannerList::heading(PlannerColumn column)
{
    switch (column) {
    case PlannerColumn::Icon:
        return {};
    case PlannerColumn::Starts:
        return QStringLiteral("Starts");
    case PlannerColumn::Description:
        return QStringLiteral("Description");
    case PlannerColumn::Amount:
        return QStringLiteral("Amount");
    }
    return {};
}

int PlannerList::defaultWidth(PlannerColumn column)
{
    switch (column) {
    case PlannerColumn::Icon:
        return 20;
    case PlannerColumn::Starts:
        return 90;
    case PlannerColumn::Description:
        return 168;
    case PlannerColumn::Amount:
        return 70;
    }
    return 0;
}
