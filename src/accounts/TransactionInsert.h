#pragma once

// Saving a new transaction: the record under a key of the unique-key rule
// and, for a transfer, its other side in the other account. The other account
// is looked up and the conversion confirmed before anything is written.

#include "accounts/TransactionDraft.h"
#include "accounts/TransactionFollowUp.h"
#include "reference/ConversionConfirmation.h"
#include "reference/CurrencyCache.h"
#include "store/TableSet.h"

#include <QString>

#include <optional>

class TransactionInsert {
public:
    enum class Outcome { Written, Cancelled, Failed };
    struct Result {
        Outcome outcome = Outcome::Failed;
        QString key;  // the new transaction's, when written
    };

    static Result save(TableSet& tables, CurrencyCache& currencies, ConversionConfirmation& conversion,
                       const LocaleValues& locale, const TransactionDraft& draft, FileTime now,
                       TransactionFollowUp& followUp);
};
