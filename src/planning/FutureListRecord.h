#pragma once

// The records of the future list (the Scheduled table), read and written.

#include "planning/FutureEntry.h"
#include "planning/FutureList.h"
#include "planning/PlannerEntry.h"
#include "store/DbTable.h"

#include <QLocale>

class FutureListRecord {
public:
    FutureListRecord() = delete;

    // The entry at the cursor's current record, with the cursor's position.
    static FutureEntry read(const DbTable& scheduled);

    // Adds the record of one occurrence of `plan`: its description and note
    // (the note only when the plan has one) with the date macros filled in
    // for the occurrence, the amount still open and, once part was posted, the
    // full amount; category, project with its project key and reminder lead
    // time only when set. False when the write failed.
    static bool add(DbTable& scheduled, const PlannerEntry& plan, const ExpectedOccurrence& occurrence,
                    const QLocale& locale);
};
