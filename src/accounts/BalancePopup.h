#pragma once

// The balance popup of the register's balance bar: the account's total, then,
// when anything is cleared or reconciled, the reconciled balance and the
// cleared and unreconciled balances split into deposits and payments, and the
// number of transactions. Amounts are plain money texts, signed as stored
// (payments negative), followed by the currency code; a zero amount counts as
// a payment.

#include "accounts/Register.h"
#include "platform/Interaction.h"
#include "platform/LocaleValues.h"
#include "toolkit/PopupLines.h"

#include <optional>

class BalancePopup {
public:
    static constexpr const char* ErrorDatabaseText = "Error Database";

    // nullopt when the shown account's record cannot be found (the popup does
    // not open). A transaction that cannot be read shows ErrorDatabaseText and
    // the popup keeps only its total lines and the count.
    static std::optional<PopupLines> build(Register& reg, DbTable& accounts, const LocaleValues& locale,
                                           Interaction& ui);
};
