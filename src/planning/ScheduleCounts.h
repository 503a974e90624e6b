#pragma once

// The two numbers typed on a plan's schedule page: the number of entries and the
// reminder lead time in days. A value outside its range is corrected and the
// field rewritten with the correction.

#include <QStringView>
#include <QtGlobal>

struct CorrectedCount {
    qint32 value = 0;
    bool corrected = false;  // the field must be rewritten with `value`
    friend bool operator==(const CorrectedCount&, const CorrectedCount&) = default;
};

class ScheduleCounts {
public:
    static constexpr qint32 MaxEntries = 365;
    static constexpr qint32 MaxReminderDays = 365;
    // A value typed above the maximum becomes this one, not the maximum itself.
    static constexpr qint32 OverMaximumValue = 364;
    static constexpr qint32 MinutesPerDay = 1440;

    ScheduleCounts() = delete;

    // 1..365 is kept; a negative value becomes its magnitude, 0 becomes 1, and
    // above 365 becomes 364. Text that holds no number reads as 0.
    static CorrectedCount entries(QStringView typed);
    // 0..365 is kept; a negative value becomes its magnitude, above 365 becomes 364.
    static CorrectedCount reminderDays(QStringView typed);

    // The stored lead time (property ReminderMinutes) of a number of days.
    static qint32 minutesOfDays(qint32 days);
    // Whole days of a stored lead time; a negative (damaged) value counts as none.
    static qint32 daysOfMinutes(qint32 minutes);
};
