#include "accounts/AccountCreator.h"

#include "accounts/AccountList.h"
#include "accounts/AccountName.h"
#include "platform/StoreTransaction.h"
#include "reference/AccountCurrencyChoice.h"
#include "store/KeyText.h"
#include "store/RecordLayout.h"
#include "store/SortScope.h"
#include "store/UniqueKey.h"

#include <limits>

qint32 AccountCreator::create(const AccountDraft& draft)
{
    const std::optional<FileTime> now = fileTimeNow(m_clock);
    const qint32 largest = AccountList(m_tables.accounts()).largestId();
    if (!now || largest == std::numeric_limits<qint32>::max() || isReservedAccount(largest + 1) ||
        AccountName::problem(draft.name))
        return 0;
    const qint32 id = largest + 1;
    StoreTransaction transaction(*m_tables.store());
    if (!transaction.isOpen())
        return 0;
    const QString code = AccountCurrencyChoice::commit(m_currencies, draft.currencyRow);
    const bool written = !code.isEmpty() &&
                         writeAccount(id, draft.name.trimmed(), draft.opening, code, *now) &&
                         (draft.opening.isZero() || writeOpening(id, draft.opening, code, *now));
    if (written && transaction.commit())
        return id;
    transaction.rollback();
    // A currency registered inside the transaction is gone again.
    m_currencies.reload();
    return 0;
}

bool AccountCreator::writeAccount(qint32 id, const QString& name, Money opening, const QString& code,
                                  FileTime now)
{
    DbTable& a = m_tables.accounts();
    SortScope scope(a, Prop::AccountId);
    a.beginNew();
    return scope.ok() && a.setInt(Prop::AccountId, id) && a.setInt64(Prop::Created, now) &&
           a.setText(Prop::Name, name) && a.setInt64(Prop::Balance, opening.hundredths()) &&
           a.setText(Prop::CurrencyCode, code, true);
}

bool AccountCreator::writeOpening(qint32 id, Money opening, const QString& code, FileTime now)
{
    DbTable& t = m_tables.transactions();
    SortScope scope(t, Prop::AccountKey, DbTable::SortKind::Text);
    if (!scope.ok())
        return false;
    // A new account has no transactions, so the key of "now" is free unless
    // leftovers of a deleted account with the same id remain.
    NewTransactionKey key{fullKey(id, now), now};
    if (t.seekText(SeekKind::Equal, key.key)) {
        const auto unique = uniqueAccountKey(t, id, now, now);
        if (!unique)
            return false;
        key = *unique;
    }
    t.beginNew();
    return t.setText(Prop::AccountKey, key.key) && t.setInt(Prop::AccountId, id) &&
           t.setInt64(Prop::Date, key.date) &&
           t.setText(Prop::Name, QString::fromLatin1(OpeningBalanceText)) &&
           t.setInt64(Prop::Amount, opening.hundredths()) && t.setText(Prop::CurrencyCode, code) &&
           t.setInt(Prop::Mark, static_cast<qint32>(ReconcileMark::Reconciled)) &&
           t.setInt64(Prop::Balance, opening.hundredths(), true);
}
