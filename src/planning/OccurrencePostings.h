#pragma once

// What has been posted of one plan's occurrences: the plan's transactions (the
// run of its planner keys) grouped by planned date. An occurrence is complete
// once a posting of it has partial flag 0 or its partial postings cover its
// amount; until then its partial postings say how much of it is still open.

#include "store/DbTable.h"
#include "store/FileTime.h"
#include "store/Money.h"

#include <map>
#include <optional>

// The part of an occurrence still to be posted.
struct OpenAmount {
    Money amount;  // outstanding, in the plan's currency
    Money full;    // the occurrence's whole amount once part was posted; 0 before
    friend bool operator==(const OpenAmount&, const OpenAmount&) = default;
};

class OccurrencePostings {
public:
    // Reads the transactions that carry the plan's planner keys. The cursor's
    // sort is put back. nullopt when the table could not be read.
    static std::optional<OccurrencePostings> read(DbTable& transactions, qint32 plannerId);

    // True when a posting of the occurrence on `date` has partial flag 0, or
    // when its partial postings cover `planAmount` (nothing is open of it:
    // the plan's amount was lowered below what had been posted).
    bool isComplete(FileTime date, Money planAmount) const;
    // What is still open of an occurrence of `planAmount` on `date`: all of it
    // when nothing was posted; nothing when it is complete, or when its
    // partial postings leave an amount that no longer has the plan amount's
    // sign (a positive plan needs more than 0 left, any other less than 0).
    std::optional<OpenAmount> open(FileTime date, Money planAmount) const;

private:
    struct Day {
        bool complete = false;
        Money partial;  // the partial postings' amounts, in the plan's currency
    };
    std::map<FileTime, Day> m_days;
};
