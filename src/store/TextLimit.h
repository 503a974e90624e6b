#pragma once

// The longest text a record may hold, in UTF-16 code units: what the 16-bit
// length field of a backup file can carry, so that every book can be backed
// up. Whatever the user types is refused beyond it; an import cannot reach
// it (a QIF line holds at most a few hundred bytes).

#include <QString>
#include <QStringView>

namespace TextLimit {

constexpr qsizetype MaxLength = 0xFFFF;

// The message shown when a typed text is refused.
constexpr const char* TooLongText = "This text is too long.";

inline bool fits(QStringView text)
{
    return text.size() <= MaxLength;
}

}  // namespace TextLimit
