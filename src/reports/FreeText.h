#pragma once

#include <QString>
#include <QStringView>

// Free text from the book (names, descriptions, contacts, notes, numbers) as
// it goes into a text-file field or a sheet cell: tab, line feed, form feed
// and carriage return become blanks, so one value never breaks a line or a
// column. Every other character stays.
QString cleanFreeText(QStringView text);
