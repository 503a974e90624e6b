#include "platform/FixedClock.h"

#include <QDate>

namespace {

constexpr qint64 MsPerDay = 24LL * 60 * 60 * 1000;

qint64 msOfDay(const LocalTime& t)
{
    return ((t.hour * 60LL + t.minute) * 60 + t.second) * 1000 + t.millisecond;
}

}  // namespace

FixedClock::FixedClock(const LocalTime& moment, qint64 ticksMs) : m_moment(moment), m_ticksMs(ticksMs)
{
}

void FixedClock::advanceMs(qint64 milliseconds)
{
    m_ticksMs += milliseconds;
    // Calendar arithmetic on the fields alone, as the book's dates do: a day
    // is always 24 hours here.
    const qint64 total = QDate(m_moment.year, m_moment.month, m_moment.day).toJulianDay() * MsPerDay +
                         msOfDay(m_moment) + milliseconds;
    const qint64 day = total >= 0 ? total / MsPerDay : (total - MsPerDay + 1) / MsPerDay;
    qint64 rest = total - day * MsPerDay;
    const QDate date = QDate::fromJulianDay(day);
    m_moment.year = date.year();
    m_moment.month = date.month();
    m_moment.day = date.day();
    m_moment.millisecond = static_cast<int>(rest % 1000);
    rest /= 1000;
    m_moment.second = static_cast<int>(rest % 60);
    rest /= 60;
    m_moment.minute = static_cast<int>(rest % 60);
    m_moment.hour = static_cast<int>(rest / 60);
}
