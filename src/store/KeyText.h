#pragma once

// The key texts that order the transaction and future-list tables: an id, '_'
// and a date-time written with fixed-width digits. Because the store compares
// keys as text, every key of one id sorts between idStartKey(id) and
// idEndKey(id) in date order, and another id never lands inside that run
// ("12_..." sorts before "1_", since '2' < '_'). The id part still compares as
// text, not as a number, so a lookup by key checks the id property of the record
// it lands on.
//
// The id is the account id (AccountKey), the project id (ProjectKey) or the
// planner id (PlannerKey).

#include "store/FileTime.h"

#include <QString>
#include <QStringView>
#include <QtGlobal>

#include <optional>

// id, '_', yyyyMMddhhmmsszzz: "7_20031205143005123". The stored key form.
// Ticks below the millisecond do not show.
QString fullKey(qint32 id, FileTime t);

// "7_": not greater than any key of the id; seek the first key not less.
QString idStartKey(qint32 id);
// "7_z": greater than every key of the id; seek the last key smaller.
QString idEndKey(qint32 id);
// "7_20031205": not greater than any key of the id on or after that day.
QString dayStartKey(qint32 id, FileTime day);
// "7_20031205z": greater than every key of the id on or before that day.
QString dayEndKey(qint32 id, FileTime day);

struct ParsedKey {
    qint32 id = 0;
    FileTime time = 0;
    friend bool operator==(const ParsedKey&, const ParsedKey&) = default;
};

// Reads a full key back. nullopt unless the text is exactly a decimal id as
// fullKey writes it (no '+', no leading zero), '_', and 17 digits of a valid
// date-time.
std::optional<ParsedKey> parseFullKey(QStringView key);
