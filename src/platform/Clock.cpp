#include "platform/Clock.h"

#include <QDate>

namespace {

// The first year a file time (ticks since 1601) can hold.
constexpr int FirstYear = 1601;

// The unsigned number in text[from, from + digits); -1 unless all are ASCII digits.
int digitsAt(QStringView text, qsizetype from, qsizetype digits)
{
    int value = 0;
    for (qsizetype i = from; i < from + digits; ++i) {
        const char16_t c = text[i].unicode();
        if (c < u'0' || c > u'9')
            return -1;
        value = value * 10 + (c - u'0');
    }
    return value;
}

bool hasSeparators(QStringView text)
{
    return text[4] == u'-' && text[7] == u'-' && text[10] == u'T' && text[13] == u':' && text[16] == u':';
}

bool isRealMoment(const LocalTime& t)
{
    return t.year >= FirstYear && QDate::isValid(t.year, t.month, t.day) && t.hour < 24 && t.minute < 60 &&
           t.second < 60;
}

}  // namespace

std::optional<LocalTime> Clock::parseMoment(QStringView text)
{
    // "YYYY-MM-DDTHH:MM:SS" is 19 characters, ".mmm" makes 23.
    if ((text.size() != 19 && text.size() != 23) || !hasSeparators(text))
        return std::nullopt;
    if (text.size() == 23 && text[19] != u'.')
        return std::nullopt;
    const int fields[] = {digitsAt(text, 0, 4),
                          digitsAt(text, 5, 2),
                          digitsAt(text, 8, 2),
                          digitsAt(text, 11, 2),
                          digitsAt(text, 14, 2),
                          digitsAt(text, 17, 2),
                          text.size() == 23 ? digitsAt(text, 20, 3) : 0};
    for (int field : fields) {
        if (field < 0)
            return std::nullopt;
    }
    const LocalTime t{fields[0], fields[1], fields[2], fields[3], fields[4], fields[5], fields[6]};
    if (!isRealMoment(t))
        return std::nullopt;
    return t;
}

QString Clock::formatMoment(const LocalTime& t)
{
    return QStringLiteral("%1-%2-%3T%4:%5:%6.%7")
        .arg(t.year, 4, 10, QLatin1Char('0'))
        .arg(t.month, 2, 10, QLatin1Char('0'))
        .arg(t.day, 2, 10, QLatin1Char('0'))
        .arg(t.hour, 2, 10, QLatin1Char('0'))
        .arg(t.minute, 2, 10, QLatin1Char('0'))
        .arg(t.second, 2, 10, QLatin1Char('0'))
        .arg(t.millisecond, 3, 10, QLatin1Char('0'));
}
