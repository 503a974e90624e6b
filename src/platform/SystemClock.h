#pragma once

#include "platform/Clock.h"

#include <QElapsedTimer>

#include <optional>

// The machine's local time and a monotonic count started with the clock.
// A run pinned to a moment (--now, TALLYRA_NOW) reads that moment as "now" for
// its whole length, while the tick count keeps running so the idle lock still
// measures real idle time.
class SystemClock : public Clock {
public:
    explicit SystemClock(const std::optional<LocalTime>& pinnedNow = std::nullopt);

    LocalTime now() const override;
    qint64 ticksMs() const override;

    bool isPinned() const { return m_pinnedNow.has_value(); }

private:
    std::optional<LocalTime> m_pinnedNow;
    QElapsedTimer m_ticks;
};
