#pragma once

// The other side of a transfer: a record in the other account with the same
// date, texts, mark and project, the opposite sign, and between currencies the
// amount converted through the conversion confirmation. The two sides name
// each other's key (the transfer link) and each other's account (the negated
// id in the category).

#include "accounts/AccountRecord.h"
#include "accounts/TransactionDraft.h"
#include "accounts/TransactionFollowUp.h"
#include "accounts/TransactionWriter.h"
#include "reference/ConversionConfirmation.h"
#include "reference/CurrencyCache.h"
#include "store/TableSet.h"

#include <optional>

class TransferCounterpart {
public:
    // The other account of a transfer; nullopt when no account has that id.
    static std::optional<AccountRecord> otherAccount(TableSet& tables, qint32 account);

    // The other side's amount for `amount` moved in `ownCurrency`: its
    // negation in the same currency; otherwise the confirmation is shown for
    // the other currency (A) and the own one (B) with the amount at the stored
    // rate, and its amount in A, with the opposite sign, is taken (the rate it
    // confirmed is stored; a rate that moved is noted in `followUp`). nullopt
    // when the confirmation was cancelled, or when the other side's magnitude
    // leaves MaxEnteredHundredths (then noted in `followUp` as too large).
    static std::optional<Money> amount(CurrencyCache& currencies, ConversionConfirmation& conversion,
                                       const LocaleValues& locale, Money amount, const QString& ownCurrency,
                                       const QString& otherCurrency, TransactionFollowUp& followUp);

    // Writes the other side of `own` (written as `written`) into `other`,
    // links the two both ways and notes the other account for recalculation.
    // The other side's key; nullopt when a write failed.
    static std::optional<QString> create(TableSet& tables, const TransactionDraft& own,
                                         const WrittenTransaction& written, const AccountRecord& other,
                                         Money otherAmount, FileTime now, TransactionFollowUp& followUp);
};
