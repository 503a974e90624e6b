#include "interchange/QifNewTransactions.h"

#include "store/KeyText.h"
#include "store/RecordLayout.h"
#include "store/UniqueKey.h"

#include <algorithm>

bool QifNewTransactions::writeAll(DbTable& transactions, qint32 account, const QString& currency,
                                  FileTime now, const QifRunBalance& before, QStringList* keys)
{
    std::stable_sort(m_entries.begin(), m_entries.end(),
                     [](const Entry& a, const Entry& b) { return a.date < b.date; });
    const Target target{account, currency, now};
    Money added;
    for (const Entry& entry : m_entries) {
        if (!write(transactions, target, entry, before, &added, keys))
            return false;
    }
    return true;
}

// The common order of every creator of a transaction: key, account, date,
// description, amount, currency, the optional fields, and the running balance
// last, with the commit.
bool QifNewTransactions::write(DbTable& transactions, const Target& target, const Entry& entry,
                               const QifRunBalance& before, Money* added, QStringList* keys)
{
    const std::optional<NewTransactionKey> key =
        uniqueAccountKey(transactions, target.account, entry.date, target.now);
    if (!key)
        return false;
    *added += entry.amount;
    if (keys)
        keys->append(key->key);
    transactions.beginNew();
    transactions.setText(Prop::AccountKey, key->key);
    transactions.setInt(Prop::AccountId, target.account);
    transactions.setInt64(Prop::Date, key->date);
    transactions.setText(Prop::Name, entry.description);
    transactions.setInt64(Prop::Amount, entry.amount.hundredths());
    transactions.setText(Prop::CurrencyCode, target.currency);
    if (!entry.memo.isEmpty())
        transactions.setText(Prop::Note, entry.memo);
    if (!entry.contact.isEmpty())
        transactions.setText(Prop::Contact, entry.contact);
    if (!entry.number.isEmpty())
        transactions.setText(Prop::Number, entry.number);
    if (entry.mark == 1 || entry.mark == 2)
        transactions.setInt(Prop::Mark, entry.mark);
    if (!entry.fitId.isEmpty())
        transactions.setText(Prop::FitId, entry.fitId);
    transactions.setInt(Prop::CategoryId, entry.category);
    if (entry.project != 0) {
        transactions.setInt(Prop::ProjectId, entry.project);
        transactions.setText(Prop::ProjectKey, fullKey(entry.project, key->date));
    }
    return transactions.setInt64(Prop::Balance, (before.before(key->key) + *added).hundredths(), true);
}
