#pragma once

// The occurrences of one plan from a given occurrence number on, in order.
//
// The sequence ends when the plan's number of entries is reached, when an
// occurrence would fall outside the calendar, or when an occurrence does not
// fall after the one before it. The last guard is what keeps a loop over a
// plan finite whatever the stored record says: a rule that repeats one date
// (or a date clamped at the calendar's end) can never run past a horizon.

#include "store/FileTime.h"

#include <QtGlobal>

#include <optional>

struct Occurrence {
    qint64 index = 0;  // occurrence number counted from the start date (occurrence 0)
    FileTime date = 0;
    friend bool operator==(const Occurrence&, const Occurrence&) = default;
};

class OccurrenceSequence {
public:
    // `first` is usually the plan's completed count (property Completed).
    OccurrenceSequence(qint32 kind, FileTime start, qint32 entries, qint64 first);

    // The next occurrence, or nullopt once the sequence has ended (it stays ended).
    std::optional<Occurrence> next();

private:
    qint32 m_kind;
    FileTime m_start;
    std::optional<qint64> m_limit;
    qint64 m_index;
    std::optional<FileTime> m_previous;
    bool m_ended = false;
};
