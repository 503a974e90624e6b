#pragma once

// Saving the changes of an existing transaction. The record keeps its key
// unless its calendar day changes: then key and date come afresh from the
// unique-key rule and the project key follows the new date. A transfer gets a
// fresh other side from the current values (a new record with a new key) and
// the old other side is removed; turning a transfer into anything else
// removes the other side and clears the link.
//
// The other side's amount is worked out again (negated, or converted through
// the confirmation) when a transfer account was chosen or the amount of a
// transfer changed; otherwise the old other side's amount is kept.

#include "accounts/TransactionChanges.h"
#include "accounts/TransactionFollowUp.h"
#include "accounts/TransactionInsert.h"
#include "reference/ConversionConfirmation.h"
#include "reference/CurrencyCache.h"
#include "store/TableSet.h"

class TransactionUpdate {
public:
    using Outcome = TransactionInsert::Outcome;
    using Result = TransactionInsert::Result;

    // `key` names the transaction; `currency` is its account's. Failed, with
    // nothing left for the caller to keep, when the transaction, its old other
    // side or a new other account is missing, or a write failed.
    static Result save(TableSet& tables, CurrencyCache& currencies, ConversionConfirmation& conversion,
                       const LocaleValues& locale, const QString& key, const QString& currency,
                       const TransactionChanges& changes, FileTime now, TransactionFollowUp& followUp);
};
