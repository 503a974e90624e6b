#pragma once

// A new exchange rate or a new default currency, with what follows from it:
// project totals hold their sums converted into the default currency at the
// rates of their last recompute, so after either change every one of them is
// out of date and is recomputed before the change counts as done (as the
// options sheet does when it closes).

#include "shell/MainBook.h"

#include <QString>

class CurrencyChange {
public:
    enum class Outcome {
        Done,
        NotInBook,           // a currency not in use in the book
        SameCurrency,        // a currency's rate to itself is always 1
        BadRate,             // not a number above 0
        SettingsNotWritten,  // the default currency could not be stored
        TotalsNotUpdated,    // the change is made; the totals could not follow
    };

    // Codes in upper case.
    static Outcome setRate(MainBook& book, const QString& from, const QString& to, double rate);
    static Outcome setDefault(MainBook& book, const QString& code);
    // Every project's totals recomputed in the default currency.
    static bool restateProjectTotals(MainBook& book);
};
