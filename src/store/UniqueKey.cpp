#include "store/UniqueKey.h"

#include "store/KeyText.h"
#include "store/RecordLayout.h"

namespace {

// The date-time of the account's last transaction on `date`'s day, if any.
std::optional<FileTime> lastOnSameDay(DbTable& transactions, qint32 account, FileTime date)
{
    if (!transactions.seekText(SeekKind::Smaller, dayEndKey(account, date)))
        return std::nullopt;
    if (transactions.getInt(Prop::AccountId) != account)
        return std::nullopt;
    const FileTime found = transactions.getInt64(Prop::Date);
    return isSameDay(found, date) ? std::optional<FileTime>(found) : std::nullopt;
}

}  // namespace

std::optional<NewTransactionKey> uniqueAccountKey(DbTable& transactions, qint32 account, FileTime date, FileTime now)
{
    if (account < 1)
        return std::nullopt;
    transactions.saveSort();
    if (!transactions.resortByText(Prop::AccountKey)) {
        transactions.restoreSort();
        return std::nullopt;
    }
    FileTime t = date;
    if (isSameDay(date, now))
        t = now;
    else if (const auto last = lastOnSameDay(transactions, account, date))
        t = *last;

    QString key;
    bool taken = true;
    while (taken) {
        const FileTime next = addMilliseconds(t, 1);
        if (next == t || next > maxFileTime())
            break;  // the end of the calendar: no later key exists
        t = next;
        key = fullKey(account, t);
        taken = transactions.seekText(SeekKind::Equal, key);
    }
    transactions.restoreSort();
    transactions.moveTo(DbTable::NoRecord);
    if (taken)
        return std::nullopt;
    return NewTransactionKey{key, t};
}
