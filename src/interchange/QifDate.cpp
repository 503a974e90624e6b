#include "interchange/QifDate.h"

#include "interchange/QifDateNumbers.h"

namespace {

// A written-out year is taken as it stands from 1900 to 9999 (a plan that
// runs to 2040 exports dates after 2038); a two-digit year never leaves
// 1970..2037, and 38..69 name no year.
constexpr int FirstYear = 1900;
constexpr int LastYear = 9999;

// The apostrophe form (12/25'40) is how a year from 2000 on is exported, so
// after an apostrophe 38..70 are 2038..2070: years no other form reaches
// (38..69 name no year, and 1970 is written 12/25/70).
int fullYear(qint32 year, bool apostrophe)
{
    if (year >= 0 && year <= 37)
        return 2000 + year;
    if (apostrophe && year >= 38 && year <= 70)
        return 2000 + year;
    if (year >= 70 && year <= 99)
        return 1900 + year;
    return year;
}

}  // namespace

std::optional<FileTime> parseQifDate(QStringView text, const QifDateOrder& order)
{
    const std::optional<QifDateNumbers> numbers = readQifDateNumbers(text, QifDateReading::Parse);
    const int d = order.positionOf('d');
    const int m = order.positionOf('m');
    const int y = order.positionOf('y');
    if (!numbers || d < 0 || m < 0 || y < 0)
        return std::nullopt;
    const qint32 day = (*numbers)[static_cast<size_t>(d)];
    const qint32 month = (*numbers)[static_cast<size_t>(m)];
    const int year = fullYear((*numbers)[static_cast<size_t>(y)], text.contains(u'\''));
    if (day > 31 || month > 12 || year < FirstYear || year > LastYear)
        return std::nullopt;
    // isValidDate refuses a day or month of 0 and a day past the month's end.
    return fileTimeFromLocal(LocalTime{year, month, day, 0, 0, 0, 0});
}
