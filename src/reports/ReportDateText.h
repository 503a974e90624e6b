#pragma once

#include "platform/LocaleValues.h"
#include "store/FileTime.h"

#include <QString>

// A transaction's date with its time of day, as the transaction list shows
// it: the short date, a blank and the 24-hour time ("12/5/2003 14:05").
QString reportDateTime(FileTime t, const LocaleValues& locale);
