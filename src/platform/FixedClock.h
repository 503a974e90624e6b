#pragma once

#include "platform/Clock.h"

// A clock that reads one moment until told otherwise: a run pinned with --now,
// and tests that move time by hand (the idle lock, "today" rules).
class FixedClock : public Clock {
public:
    explicit FixedClock(const LocalTime& moment, qint64 ticksMs = 0);

    LocalTime now() const override { return m_moment; }
    qint64 ticksMs() const override { return m_ticksMs; }

    void set(const LocalTime& moment) { m_moment = moment; }
    // Moves both the wall clock (carrying into seconds, days, months, years)
    // and the tick count forward; a negative count moves them back.
    void advanceMs(qint64 milliseconds);

private:
    LocalTime m_moment;
    qint64 m_ticksMs;
};
