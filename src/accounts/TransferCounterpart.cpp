#include "accounts/TransferCounterpart.h"

#include "accounts/AccountList.h"
#include "accounts/TransactionLookup.h"

std::optional<AccountRecord> TransferCounterpart::otherAccount(TableSet& tables, qint32 account)
{
    if (account < 1 || isReservedAccount(account))
        return std::nullopt;
    return AccountList(tables.accounts()).find(account);
}

std::optional<Money> TransferCounterpart::amount(CurrencyCache& currencies,
                                                 ConversionConfirmation& conversion,
                                                 const LocaleValues& locale, Money amount,
                                                 const QString& ownCurrency, const QString& otherCurrency,
                                                 TransactionFollowUp& followUp)
{
    if (ownCurrency == otherCurrency)
        return -amount;
    const Money moved = amount.magnitude();
    Money proposed = currencies.convert(moved, ownCurrency, otherCurrency);
    if (proposed.isNegative())
        proposed = -proposed;
    CurrencyConversionForm model(currencies, otherCurrency, ownCurrency, proposed, moved,
                                 CurrencyConversionForm::Mode::FixedAmount, locale);
    const double rateBefore = currencies.rate(otherCurrency, ownCurrency);
    const std::optional<CurrencyConversionForm::Outcome> outcome = conversion.confirm(model);
    if (!outcome)
        return std::nullopt;
    if (currencies.rate(otherCurrency, ownCurrency) != rateBefore)
        followUp.noteRate(otherCurrency, ownCurrency);
    const Money other = outcome->amountA.magnitude();
    // The other side is stored and edited like a typed amount, so it keeps
    // to the same limit.
    if (other.hundredths() > MaxEnteredHundredths) {
        followUp.noteTooLarge();
        return std::nullopt;
    }
    return amount.isNegative() ? other : -other;
}

std::optional<QString> TransferCounterpart::create(TableSet& tables, const TransactionDraft& own,
                                                   const WrittenTransaction& written,
                                                   const AccountRecord& other, Money otherAmount,
                                                   FileTime now, TransactionFollowUp& followUp)
{
    TransactionDraft side = own;
    side.account = other.id;
    side.currency = other.currency;
    side.date = written.date;
    side.category = -own.account;
    side.amount = otherAmount;
    side.projectKeyTicks = 1;
    DbTable& t = tables.transactions();
    const std::optional<WrittenTransaction> made = TransactionWriter::insert(t, side, now);
    if (!made || !TransactionWriter::setLink(t, made->key, written.key) ||
        !TransactionWriter::setLink(t, written.key, made->key))
        return std::nullopt;
    const std::optional<qint64> index = TransactionLookup::indexOf(t, other.id, made->key);
    if (!index)
        return std::nullopt;
    followUp.noteAccount(other.id, *index);
    return made->key;
}
