#pragma once

// Posting an occurrence of the future list into the shown account from the
// editor, and dismissing one (posting it to the holder account).
//
// The amount is typed in the account's currency; the part of the occurrence it
// settles, in the occurrence's currency, is proportional to the outstanding
// amount. The user confirms with "Save scheduled to a new transaction", or,
// between currencies, with the conversion confirmation, whose rate is stored.

#include "accounts/TransactionChanges.h"
#include "accounts/TransactionEditor.h"
#include "accounts/TransactionFollowUp.h"
#include "accounts/TransactionInsert.h"

#include <optional>

class EditorPosting {
public:
    static constexpr const char* OppositeSignText =
        "A planned payment cannot be posted as a deposit, nor a planned deposit as a payment.";

    using Outcome = TransactionInsert::Outcome;
    using Result = TransactionInsert::Result;

    struct Request {
        qint64 position = -1;  // in the future list's date order
        qint32 account = 0;
        QString currency;            // the account's
        std::optional<Money> typed;  // signed, in the account's currency; nullopt: all that is outstanding
        bool payment = false;        // the Deposit/Payment choice
        TransactionChanges changes;  // the other fields the user changed (amount aside)
    };

    // Cancelled when the user said No or cancelled the confirmation, or when
    // the typed amount has the sign opposite to the occurrence's
    // (OppositeSignText shown); Failed
    // when the entry, its plan or a transfer's other account is missing or a
    // write failed.
    static Result post(EditorContext& context, const Request& request, FileTime now,
                       TransactionFollowUp& followUp);

    // The occurrence posted whole to the holder account, dated now, with its
    // amount converted to `currency`; it leaves the future list and its plan
    // moves on. False when the entry is missing or a write failed.
    static bool dismiss(EditorContext& context, qint64 position, const QString& currency, FileTime now);

    // The part of `outstanding` (in `entryCurrency`) that `typed` (in
    // `accountCurrency`) settles: outstanding x typed / outstandingConverted,
    // rounded; when nothing is outstanding in the account's currency, typed
    // at the rate from the account's currency to the entry's. Negative for a
    // payment.
    static Money entryAmount(const CurrencyCache& currencies, Money outstanding, Money outstandingConverted,
                             Money typed, bool payment, const QString& accountCurrency,
                             const QString& entryCurrency);
};
