#pragma once

// The occurrences one plan puts into the future list up to a target: from the
// plan's completed count on, while the show date (the occurrence date less the
// reminder lead time) is not after the target. Complete occurrences are left
// out; a partly posted one is listed with what is still open of it.
//
// The walk is an OccurrenceSequence, so it ends at the plan's number of
// entries and whenever the rule stops moving the date: a damaged plan that
// pairs "Only once" (or an unknown rule) with an ongoing count lists one
// occurrence instead of repeating its start date for ever.

#include "planning/FutureList.h"
#include "planning/PlannerEntry.h"
#include "store/DbTable.h"

#include <optional>
#include <vector>

class OccurrenceListing {
public:
    OccurrenceListing() = delete;

    // A stopped plan lists nothing. `after`, when given, also leaves out the
    // occurrences whose show date is not later than it (extending a list that
    // holds them already). nullopt when the transactions could not be read.
    static std::optional<std::vector<ExpectedOccurrence>> of(const PlannerEntry& plan, DbTable& transactions,
                                                             FileTime target, std::optional<FileTime> after);

    // The date from which an occurrence shows (FutureEntry::showDate's rule).
    static FileTime showDate(FileTime date, qint32 reminderMinutes);
};
