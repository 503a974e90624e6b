#pragma once

// The tab-separated layout of an export (both text formats): a heading line,
// then one line per transaction with nine fields in the heading's order. An
// empty note, status, number or contact is a single blank; an empty
// description, category or project stays empty.

#include "interchange/ExportFields.h"
#include "platform/LocaleValues.h"

#include <QString>

namespace TextExport {

// "Date\tDescription\tNote\tAmount\tCategory\tProject\tCleared\tNum\tContact"
QString header();
// One line without its line end; the date is the locale's short date.
QString recordLine(const ExportFields& fields, const LocaleValues& locale);

}  // namespace TextExport
