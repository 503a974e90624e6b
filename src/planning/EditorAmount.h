#pragma once

// The amount field of the editors: the calculator field holds the magnitude;
// the Deposit/Payment choice holds the sign. Stored amounts are hundredths,
// rounded half away from zero from what was typed.

#include "platform/LocaleValues.h"
#include "store/Money.h"

#include <QString>

#include <optional>

namespace EditorAmount {

// The typed magnitude signed by the choice (negative for a Payment). A sign
// typed inside the text is ignored: the choice alone gives it. nullopt when
// the magnitude exceeds MaxEnteredHundredths ("This number too large.").
std::optional<Money> signedAmount(const QString& text, bool payment);

// The magnitude of a stored amount as the field shows it.
QString magnitudeText(Money amount, const LocaleValues& locale);

}  // namespace EditorAmount
