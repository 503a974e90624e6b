#pragma once

// A QIF date in the file's order (QifDateOrder): three numbers as
// readQifDateNumbers reads them strictly, given to day, month and year by the
// order's letters. Two-digit years fold into 1970..2037 (0..37 are 2000..2037,
// 70..99 are 1970..1999, as the export writes them); other years are taken as
// written, and one outside 1900..9999 is refused (so are 38..69), as is a day
// or month of 0 and a day the month does not have (31 February). After an
// apostrophe, the form the export gives years from 2000 on, 38..70 are
// 2038..2070.

#include "interchange/QifDateOrder.h"
#include "store/FileTime.h"

#include <QStringView>

#include <optional>

// Midnight of the date; nullopt when the text is not a valid date in `order`.
std::optional<FileTime> parseQifDate(QStringView text, const QifDateOrder& order);
