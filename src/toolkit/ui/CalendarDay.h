#pragma once

#include "store/FileTime.h"

#include <QDate>

#include <optional>

// The calendar controls work in QDate, the book in file times: the local day
// of a time, and the start of a chosen day (none outside the calendar).
inline QDate dateOf(FileTime time)
{
    const LocalTime t = localFromFileTime(time);
    return QDate(t.year, t.month, t.day);
}

inline std::optional<FileTime> dayOf(QDate date)
{
    return fileTimeFromLocal(LocalTime{date.year(), date.month(), date.day()});
}
