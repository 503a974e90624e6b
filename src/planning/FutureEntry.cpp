#include "planning/FutureEntry.h"

#include "planning/ScheduleCounts.h"

FileTime FutureEntry::showDate() const
{
    const qint32 days = ScheduleCounts::daysOfMinutes(reminderMinutes);
    return days > 0 ? addDays(date, -days) : date;
}
