#include "accounts/TransactionLookup.h"

#include "accounts/AccountRun.h"
#include "store/SortScope.h"

#include <algorithm>

bool TransactionLookup::seek(DbTable& transactions, const QString& key)
{
    return !key.isEmpty() && transactions.seekText(SeekKind::Equal, key);
}

std::optional<StoredTransaction> TransactionLookup::read(DbTable& transactions, const QString& key)
{
    SortScope scope(transactions, Prop::AccountKey, DbTable::SortKind::Text);
    if (!scope.ok() || !seek(transactions, key))
        return std::nullopt;
    return current(transactions);
}

std::optional<qint64> TransactionLookup::indexOf(DbTable& transactions, qint32 account, const QString& key)
{
    SortScope scope(transactions, Prop::AccountKey, DbTable::SortKind::Text);
    if (!scope.ok() || !seek(transactions, key) || transactions.getInt(Prop::AccountId) != account)
        return std::nullopt;
    const qint64 position = transactions.position();
    const AccountRun run = AccountRun::locate(transactions, account);
    if (position < run.first || position >= run.end())
        return std::nullopt;
    return position - run.first;
}

StoredTransaction TransactionLookup::current(const DbTable& t)
{
    return TransactionRecord::read(t);
}
