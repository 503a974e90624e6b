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
    StoredTransaction s;
    s.key = t.getText(Prop::AccountKey);
    s.account = t.getInt(Prop::AccountId);
    s.date = t.getInt64(Prop::Date);
    s.description = t.getText(Prop::Name);
    s.number = t.getText(Prop::Number);
    s.note = t.getText(Prop::Note);
    s.contact = t.getText(Prop::Contact);
    s.mark = static_cast<ReconcileMark>(std::clamp(t.getInt(Prop::Mark), 0, 2));
    s.amount = Money::fromHundredths(t.getInt64(Prop::Amount));
    s.currency = t.getText(Prop::CurrencyCode);
    s.category = t.getInt(Prop::CategoryId);
    s.project = t.getInt(Prop::ProjectId);
    s.link = t.getText(Prop::TransferLink);
    s.plannerKey = t.getText(Prop::PlannerKey);
    return s;
}
