#pragma once

// "(+) No:": the number after the account's newest numbered payment. Deposits
// (amount >= 0) never count, nor a payment whose number text is empty, not a
// whole decimal number, or 0. Numbers are 64-bit, so a cheque book in the
// billions still counts on.

#include "accounts/AccountRun.h"
#include "store/DbTable.h"

#include <QString>

#include <optional>

class EditorNextNumber {
public:
    // Walks the run from the newest transaction to the oldest. `transactions`
    // must be in account-key order. "1" when no payment qualifies.
    static QString after(DbTable& transactions, const AccountRun& run);

    // A number text as a whole decimal number: optional blanks around an
    // optional sign and digits only. nullopt for anything else, for 0 and
    // for a number beyond 64 bits.
    static std::optional<qint64> parse(const QString& text);

    // One more than `n`; the largest number stays itself rather than wrap.
    static QString next(qint64 n);
};
