#include "reports/PlainDecimal.h"

QString plainDecimal(Money amount)
{
    const qint64 h = amount.hundredths();
    // The magnitude in unsigned arithmetic: the smallest qint64 has no
    // positive counterpart.
    const quint64 magnitude = h < 0 ? quint64(0) - static_cast<quint64>(h) : static_cast<quint64>(h);
    const quint64 cents = magnitude % 100;
    QString text = h < 0 ? QStringLiteral("-") : QString();
    text += QString::number(magnitude / 100);
    text += QLatin1Char('.');
    text += QLatin1Char(static_cast<char>('0' + cents / 10));
    text += QLatin1Char(static_cast<char>('0' + cents % 10));
    return text;
}
