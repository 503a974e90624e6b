#include "platform/SystemClock.h"

#include <QDateTime>

SystemClock::SystemClock(const std::optional<LocalTime>& pinnedNow) : m_pinnedNow(pinnedNow)
{
    m_ticks.start();
}

LocalTime SystemClock::now() const
{
    if (m_pinnedNow)
        return *m_pinnedNow;
    // Fields of the local wall clock as they read; they are never turned into
    // an instant, so a daylight-saving change cannot move a date.
    const QDateTime local = QDateTime::currentDateTime();
    const QDate date = local.date();
    const QTime time = local.time();
    return {date.year(), date.month(), date.day(), time.hour(), time.minute(), time.second(), time.msec()};
}

qint64 SystemClock::ticksMs() const
{
    return m_ticks.elapsed();
}
