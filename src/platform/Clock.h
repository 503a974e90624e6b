#pragma once

#include "platform/LocalTime.h"

#include <QString>
#include <QStringView>

#include <optional>

// The local clock: wall-clock fields for dates and a monotonic tick count for
// the idle lock. Logic never reads the time itself; it is handed a Clock, so a
// run can be pinned to one moment (--now, TALLYRA_NOW) and tests fix "today".
class Clock {
public:
    virtual ~Clock() = default;

    // The local wall-clock time, fields only (no time zone).
    virtual LocalTime now() const = 0;
    // Milliseconds on a monotonic count; only differences mean anything.
    virtual qint64 ticksMs() const = 0;

    // Reads "YYYY-MM-DDTHH:MM:SS" with an optional ".mmm" (exactly three
    // digits). nullopt when the text has any other shape or names no real
    // moment (Feb 30, hour 24, a year before 1601).
    static std::optional<LocalTime> parseMoment(QStringView text);
    // "YYYY-MM-DDTHH:MM:SS.mmm": the form parseMoment reads back.
    static QString formatMoment(const LocalTime& t);
};
