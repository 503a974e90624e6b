#pragma once

#include "platform/StoreTypes.h"
#include "store/DbTable.h"
#include "store/FileTime.h"
#include "store/Money.h"
#include "store/RecordLayout.h"

#include <QString>

#include <optional>

// One record of the Planner table (a "Time-Table" entry) as read. A plan
// belongs to no account: its occurrences show in every register.
struct PlannerEntry {
    qint32 id = 0;
    FileTime start = 0;   // occurrence 0
    QString description;  // may hold date macros
    Money amount;         // in `currency`; positive deposit, negative payment
    QString currency;
    qint32 category = 0;  // negative: a transfer to account -category
    qint32 project = 0;
    QString contact;
    QString note;  // may hold date macros
    QString number;
    ReconcileMark mark = ReconcileMark::Unreconciled;
    qint32 rule = 0;        // RecurrenceRule::Kind
    FileTime nextDate = 0;  // next open occurrence
    qint32 completed = 0;
    qint32 entries = 1;  // RecurrenceRule::Ongoing for no end
    qint32 reminderMinutes = 0;
    bool stopped = false;

    // Every one of a limited number of entries is completed: the plan is over
    // and nothing brings it back.
    bool isFinished() const { return entries > 0 && completed >= entries; }

    // The plan at the cursor's current record.
    static PlannerEntry read(const DbTable& planner);
    // Seeks the plan with that id (the planner table in id order); nullopt
    // when there is none. The cursor stays on it.
    static std::optional<PlannerEntry> find(DbTable& planner, qint32 id);
};
