#pragma once

// A local wall-clock moment as the clock reads it: fields only, no time zone.
// Dates are built from these fields directly, never through the real zone, so
// keys and day tests do not shift on daylight-saving days.
struct LocalTime {
    int year = 1601;
    int month = 1;        // 1..12
    int day = 1;          // 1..31
    int hour = 0;         // 0..23
    int minute = 0;       // 0..59
    int second = 0;       // 0..59
    int millisecond = 0;  // 0..999

    friend bool operator==(const LocalTime&, const LocalTime&) = default;
};
