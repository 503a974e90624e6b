#pragma once

// One row of the categories or projects report: every kept transaction with
// the same key, added up.

#include "store/Money.h"

#include <QString>

#include <vector>

struct GroupRow {
    // Category or project id; 0 for transactions without category; minus the
    // account id for that account's transfers (categories only).
    qint32 key = 0;
    QString label;
    // The report currency; a transfer row keeps its account's own currency.
    QString currency;
    Money deposits;  // converted
    Money payments;  // converted, as a magnitude
    // Counted in the report's totals; false for the rows of transfers and of
    // transactions without category.
    bool counted = true;
    // Unconverted, per entry of the currency list; payments as magnitudes.
    std::vector<Money> currencyDeposits;
    std::vector<Money> currencyPayments;
    // The text the chosen column sorts by.
    QString sortKey;

    Money total() const { return deposits - payments; }
    bool hasCurrencyValues(size_t i) const
    {
        return i < currencyDeposits.size() &&
               (!currencyDeposits[i].isZero() || !currencyPayments[i].isZero());
    }
};
