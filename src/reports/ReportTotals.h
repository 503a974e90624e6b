#pragma once

// What a build adds up besides its rows: the net total and its two sides in
// the report currency, the count of transactions (transaction list only) and,
// per currency of the currency list, the unconverted deposits and payments.
//
// Invariants:
//  1. payments is a magnitude (>= 0); net = deposits - payments as far as
//     saturation allows.
//  2. perCurrency[i] belongs to the currency list's entry i; its payments stay
//     negative (the sign the book keeps).

#include "store/Money.h"

#include <vector>

struct CurrencyTotals {
    Money deposits;
    Money payments;  // negative or zero
    bool isZero() const { return deposits.isZero() && payments.isZero(); }
};

struct ReportTotals {
    Money net;
    Money deposits;
    Money payments;  // magnitude
    qint64 count = 0;
    std::vector<CurrencyTotals> perCurrency;

    void reset(int currencies)
    {
        *this = ReportTotals();
        perCurrency.assign(static_cast<size_t>(currencies), CurrencyTotals());
    }

    // A converted amount counted in the report: a value at or below zero is a
    // payment, as the period bar has always split them.
    void addConverted(Money converted)
    {
        net += converted;
        if (converted.hundredths() <= 0)
            payments -= converted;
        else
            deposits += converted;
    }

    // The unconverted amount in its own currency; an index outside the list
    // (a code the currency list lacks) has no per-currency part.
    void addInCurrency(int index, Money amount)
    {
        if (index < 0 || static_cast<size_t>(index) >= perCurrency.size())
            return;
        CurrencyTotals& t = perCurrency[static_cast<size_t>(index)];
        if (amount.isNegative())
            t.payments += amount;
        else
            t.deposits += amount;
    }
};
