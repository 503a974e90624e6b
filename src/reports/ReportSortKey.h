#pragma once

#include "store/Money.h"

#include <QString>

// The text sort key of an amount column in a report's row table. The table
// sorts text by code unit, so the key must be a non-negative number of one
// fixed width: the amount is moved up by 2^63 (every 64-bit value lands in
// 0 .. 2^64-1) and written with 20 digits, leading zeros included. Text order
// of the keys is then the numeric order of the amounts, for every amount.
class ReportSortKey {
public:
    static constexpr int Width = 20;  // digits of 2^64 - 1
    static QString amountKey(Money amount);
};
