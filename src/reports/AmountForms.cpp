#include "reports/AmountForms.h"

QString AmountForms::plain(Money amount)
{
    const qint64 value = amount.hundredths();
    // The magnitude as unsigned, so the most negative value has one too.
    const quint64 magnitude = value < 0 ? 0 - static_cast<quint64>(value) : static_cast<quint64>(value);
    QString text = value < 0 ? QStringLiteral("-") : QString();
    text += QString::number(magnitude / 100);
    text += QLatin1Char('.');
    text += QStringLiteral("%1").arg(magnitude % 100, 2, 10, QLatin1Char('0'));
    return text;
}

QString AmountForms::grouped(Money amount, const LocaleValues& locale)
{
    return moneyText(amount, locale);
}

QString AmountForms::withCurrency(Money amount, const QString& symbol, const LocaleValues& locale)
{
    return grouped(amount, locale) + symbol;
}
