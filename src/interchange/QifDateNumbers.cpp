#include "interchange/QifDateNumbers.h"

std::optional<QifDateNumbers> readQifDateNumbers(QStringView text, QifDateReading reading)
{
    QifDateNumbers numbers{};
    int count = 0;
    qint32 current = -1;  // -1: no digit of the current number yet
    bool anyDigit = false;
    for (const QChar c : text) {
        if (count == 3)
            break;
        if (c >= u'0' && c <= u'9') {
            const qint32 digit = c.unicode() - u'0';
            current = current < 0 ? digit : qMin<qint64>(qint64(current) * 10 + digit, QifDateMaxNumber);
            anyDigit = true;
            continue;
        }
        if (c == u' ' || c == u'\t')
            continue;
        if (!anyDigit)
            return std::nullopt;
        if (current >= 0) {
            numbers[count++] = current;
            current = -1;
        } else if (reading == QifDateReading::Parse) {
            return std::nullopt;  // two separators in a row
        }
    }
    if (count < 3 && current >= 0)
        numbers[count++] = current;
    if (count < 3)
        return std::nullopt;
    return numbers;
}
