#pragma once

#include "platform/StoreTypes.h"
#include "store/FileTime.h"
#include "store/Money.h"

#include <QString>

// One record of the future list (the Scheduled table): an occurrence of a plan
// that is still to be posted, as read.
struct FutureEntry {
    qint64 position = -1;  // in the future list's date order when read
    RecordId record = 0;
    qint32 plannerId = 0;
    FileTime date = 0;    // the occurrence date-time
    QString description;  // macros expanded for the occurrence
    QString note;         // macros expanded; only when the plan has a note
    Money amount;         // still to be posted, in `currency`
    Money fullAmount;     // the occurrence's whole amount once part was posted; 0 before
    QString currency;
    qint32 category = 0;  // negative: a transfer to account -category
    qint32 project = 0;
    QString projectKey;
    qint32 reminderMinutes = 0;
    bool reminded = false;

    // The date from which the occurrence shows: its date less the reminder lead time.
    FileTime showDate() const;
};
