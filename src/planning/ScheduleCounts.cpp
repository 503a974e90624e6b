#include "planning/ScheduleCounts.h"

#include <algorithm>
#include <limits>

namespace {

// A leading optional sign and decimal digits, as an edit field's number reads;
// whatever follows them is ignored. Saturates far above any accepted value.
qint64 typedInteger(QStringView text)
{
    text = text.trimmed();
    bool negative = false;
    qsizetype i = 0;
    if (i < text.size() && (text[i] == u'-' || text[i] == u'+'))
        negative = text[i++] == u'-';
    constexpr qint64 Cap = std::numeric_limits<qint32>::max();
    qint64 value = 0;
    for (; i < text.size() && text[i].isDigit() && text[i].unicode() < 128; ++i)
        value = std::min(Cap, value * 10 + (text[i].unicode() - u'0'));
    return negative ? -value : value;
}

CorrectedCount corrected(qint64 typed, qint32 low, qint32 high)
{
    qint64 value = typed < 0 ? -typed : typed;
    if (value < low)
        value = low;
    if (value > high)
        value = ScheduleCounts::OverMaximumValue;
    return {static_cast<qint32>(value), value != typed};
}

}  // namespace

CorrectedCount ScheduleCounts::entries(QStringView typed)
{
    return corrected(typedInteger(typed), 1, MaxEntries);
}

CorrectedCount ScheduleCounts::reminderDays(QStringView typed)
{
    return corrected(typedInteger(typed), 0, MaxReminderDays);
}

qint32 ScheduleCounts::minutesOfDays(qint32 days)
{
    if (days <= 0)
        return 0;
    return days > MaxReminderDays ? MaxReminderDays * MinutesPerDay : days * MinutesPerDay;
}

qint32 ScheduleCounts::daysOfMinutes(qint32 minutes)
{
    return minutes > 0 ? minutes / MinutesPerDay : 0;
}
