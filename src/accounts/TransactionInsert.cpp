#include "accounts/TransactionInsert.h"

#include "accounts/TransactionLookup.h"
#include "accounts/TransactionWriter.h"
#include "accounts/TransferCounterpart.h"

TransactionInsert::Result TransactionInsert::save(TableSet& tables, CurrencyCache& currencies,
                                                  ConversionConfirmation& conversion,
                                                  const LocaleValues& locale, const TransactionDraft& draft,
                                                  FileTime now, TransactionFollowUp& followUp)
{
    std::optional<AccountRecord> other;
    std::optional<Money> otherAmount;
    if (draft.category < 0) {
        other = TransferCounterpart::otherAccount(tables, -draft.category);
        if (!other || other->id == draft.account)
            return {};
        otherAmount = TransferCounterpart::amount(currencies, conversion, locale, draft.amount,
                                                  draft.currency, other->currency, followUp);
        if (!otherAmount)
            return {Outcome::Cancelled, {}};
    }
    DbTable& t = tables.transactions();
    const std::optional<WrittenTransaction> written = TransactionWriter::insert(t, draft, now);
    if (!written)
        return {};
    const std::optional<qint64> index = TransactionLookup::indexOf(t, draft.account, written->key);
    if (!index)
        return {};
    followUp.noteAccount(draft.account, *index);
    followUp.noteProject(draft.project);
    if (other && !TransferCounterpart::create(tables, draft, *written, *other, *otherAmount, now, followUp))
        return {};
    return {Outcome::Written, written->key};
}
