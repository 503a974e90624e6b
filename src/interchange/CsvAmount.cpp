#include "interchange/CsvAmount.h"

namespace {

bool isGrouping(QChar c, QChar decimal)
{
    return (c == u'.' || c == u',' || c == u' ' || c == u'\'' || c == QChar(0x00A0) || c == QChar(0x202F)) &&
           c != decimal;
}

// A currency sign or the letters of a currency code beside the number.
bool isCurrencyMark(QChar c)
{
    return c.category() == QChar::Symbol_Currency || (c.isLetter() && c.unicode() < 128);
}

}  // namespace

std::optional<Money> parseCsvAmount(QStringView text, QChar decimal)
{
    QStringView t = text.trimmed();
    bool negative = false;
    if (t.startsWith(u'(') && t.endsWith(u')')) {
        negative = true;
        t = t.sliced(1, t.size() - 2).trimmed();
    }
    qint64 units = 0;
    qint64 cents = 0;
    int decimals = 0;
    bool roundUp = false;
    bool digits = false;
    bool afterPoint = false;
    bool signSeen = false;
    for (const QChar c : t) {
        if (c.isDigit() && c.unicode() < 128) {
            const int d = c.unicode() - u'0';
            digits = true;
            if (!afterPoint) {
                if (units > MaxEnteredHundredths / 10)
                    return std::nullopt;
                units = units * 10 + d;
            } else if (decimals < 2) {
                cents = cents * 10 + d;
                ++decimals;
            } else if (decimals == 2) {
                roundUp = d >= 5;
                ++decimals;
            }
        } else if (c == decimal && !afterPoint) {
            afterPoint = true;
        } else if ((c == u'-' || c == u'+' || c == QChar(0x2212)) && !signSeen) {
            signSeen = true;
            negative = negative || c != u'+';
        } else if (!isGrouping(c, decimal) && !isCurrencyMark(c)) {
            return std::nullopt;
        }
    }
    if (!digits)
        return std::nullopt;
    while (decimals < 2) {
        cents *= 10;
        ++decimals;
    }
    qint64 hundredths = units * 100 + cents + (roundUp ? 1 : 0);
    if (hundredths > MaxEnteredHundredths)
        return std::nullopt;
    return Money::fromHundredths(negative ? -hundredths : hundredths);
}
