#pragma once

// The three forms in which the writers put amounts into files.

#include "platform/LocaleValues.h"
#include "store/Money.h"

#include <QString>

class AmountForms {
public:
    // Units, '.', two digits, a leading '-' when negative; no grouping, no
    // currency: -1234.56. Every 64-bit value, the most negative included.
    static QString plain(Money amount);
    // The money text: grouped by threes with the locale's separators.
    static QString grouped(Money amount, const LocaleValues& locale);
    // The grouped form followed, without a space, by the currency's symbol;
    // an empty symbol (a code the currency list lacks) gives the grouped form.
    static QString withCurrency(Money amount, const QString& symbol, const LocaleValues& locale);
};
