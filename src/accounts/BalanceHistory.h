#pragma once

// The running balance of the shown account over time, and the planned future
// continuing it to the horizon: after the last transaction, each entry of the
// future list dated not after the horizon moves the balance by its amount
// converted into the account's currency, as the prognosis counts them.

#include "accounts/Register.h"
#include "store/FileTime.h"
#include "store/Money.h"

#include <vector>

struct BalancePoint {
    FileTime date = 0;
    Money balance;
};

struct BalanceHistory {
    QString account;
    QString currency;
    // One point per transaction, oldest first: the balance after it.
    std::vector<BalancePoint> actual;
    // Starts at the last actual point (at `now` for an account without
    // transactions), then one point per planned entry; empty without any.
    std::vector<BalancePoint> planned;

    static BalanceHistory of(Register& reg, const CurrencyCache& currencies, FileTime now);
};
