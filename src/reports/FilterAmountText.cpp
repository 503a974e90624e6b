#include "reports/FilterAmountText.h"

#include "reports/AmountForms.h"

#include <algorithm>

std::optional<Money> FilterAmountText::parse(const QString& text)
{
    const QString trimmed = text.trimmed();
    const bool hasDigit = std::any_of(trimmed.begin(), trimmed.end(), [](QChar c) { return c.isDigit(); });
    if (!hasDigit)
        return std::nullopt;
    return moneyFromTypedText(trimmed);
}

QString FilterAmountText::shown(Money bound, qint64 openBound)
{
    return bound.hundredths() == openBound ? QString() : AmountForms::plain(bound);
}
