#include "planning/OccurrencePostings.h"

#include "store/KeyText.h"
#include "store/RecordLayout.h"
#include "store/SortScope.h"

std::optional<OccurrencePostings> OccurrencePostings::read(DbTable& transactions, qint32 plannerId)
{
    SortScope scope(transactions, Prop::PlannerKey, DbTable::SortKind::Text);
    if (!scope.ok())
        return std::nullopt;
    OccurrencePostings postings;
    if (!transactions.seekText(SeekKind::NotLess, idStartKey(plannerId)))
        return postings;  // no key at or after the plan's run
    const QString end = idEndKey(plannerId);
    for (qint64 position = transactions.position(); position < transactions.count(); ++position) {
        if (!transactions.moveTo(position))
            return std::nullopt;
        // Records without a planner key sort last, so the run ends at the first of them.
        if (!transactions.has(Prop::PlannerKey) || transactions.getText(Prop::PlannerKey) >= end)
            break;
        // Keys compare as text: the id property decides whose posting it is.
        if (transactions.getInt(Prop::PlannerId) != plannerId)
            continue;
        Day& day = postings.m_days[transactions.getInt64(Prop::PlannedDate)];
        if (transactions.getInt64(Prop::PartialPosting) == 0)
            day.complete = true;
        else
            day.partial += Money::fromHundredths(transactions.getInt64(Prop::PostedAmount));
    }
    return postings;
}

bool OccurrencePostings::isComplete(FileTime date, Money planAmount) const
{
    return m_days.count(date) != 0 && !open(date, planAmount);
}

std::optional<OpenAmount> OccurrencePostings::open(FileTime date, Money planAmount) const
{
    const auto it = m_days.find(date);
    if (it == m_days.end())
        return OpenAmount{planAmount, Money()};
    if (it->second.complete)
        return std::nullopt;
    const Money outstanding = planAmount - it->second.partial;
    const bool keepsSign = planAmount > Money() ? outstanding > Money() : outstanding < Money();
    if (!keepsSign)
        return std::nullopt;
    return OpenAmount{outstanding, planAmount};
}
