#include "planning/EditorAmount.h"

namespace EditorAmount {

std::optional<Money> signedAmount(const QString& text, bool payment)
{
    const std::optional<Money> typed = moneyFromTypedText(text);
    if (!typed)
        return std::nullopt;
    // moneyFromTypedText keeps the magnitude within MaxEnteredHundredths, so
    // negating never saturates.
    const Money magnitude = typed->magnitude();
    return payment ? -magnitude : magnitude;
}

QString magnitudeText(Money amount, const LocaleValues& locale)
{
    return moneyText(amount.magnitude(), locale);
}

}  // namespace EditorAmount
