#include "planning/OccurrenceListing.h"

#include "planning/FutureEntry.h"
#include "planning/OccurrencePostings.h"
#include "planning/OccurrenceSequence.h"

std::optional<std::vector<ExpectedOccurrence>> OccurrenceListing::of(const PlannerEntry& plan,
                                                                     DbTable& transactions, FileTime target,
                                                                     std::optional<FileTime> after)
{
    std::vector<ExpectedOccurrence> listed;
    if (plan.stopped)
        return listed;
    // Read on the first occurrence that needs them: most plans have nothing new to list.
    std::optional<OccurrencePostings> postings;
    OccurrenceSequence sequence(plan.rule, plan.start, plan.entries, plan.completed);
    while (const std::optional<Occurrence> occurrence = sequence.next()) {
        const FileTime show = showDate(occurrence->date, plan.reminderMinutes);
        if (show > target)
            break;
        if (after && show <= *after)
            continue;
        if (!postings) {
            postings = OccurrencePostings::read(transactions, plan.id);
            if (!postings)
                return std::nullopt;
        }
        if (const std::optional<OpenAmount> open = postings->open(occurrence->date, plan.amount))
            listed.push_back({plan.id, occurrence->date, open->amount, open->full});
    }
    return listed;
}

FileTime OccurrenceListing::showDate(FileTime date, qint32 reminderMinutes)
{
    FutureEntry entry;
    entry.date = date;
    entry.reminderMinutes = reminderMinutes;
    return entry.showDate();
}
