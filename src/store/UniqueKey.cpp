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

// From `t` on, one millisecond at a time, the first free key of the account
// that is still on `day`'s day; nullopt when the day (or the calendar) ends first.
std::optional<NewTransactionKey> firstFreeAfter(DbTable& transactions, qint32 account, FileTime t,
                                                FileTime day)
{
    for (;;) {
        const FileTime next = addMilliseconds(t, 1);
        if (next == t || next > maxFileTime() || !isSameDay(next, day))
            return std::nullopt;
        t = next;
        const QString key = fullKey(account, t);
        if (!transactions.seekText(SeekKind::Equal, key))
            return NewTransactionKey{key, t};
    }
}

}  // namespace

std::optional<NewTransactionKey> uniqueAccountKey(DbTable& transactions, qint32 account, FileTime date,
                                                  FileTime now)
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

    std::optional<NewTransactionKey> made = firstFreeAfter(transactions, account, t, date);
    // A transaction stays on its chosen day: when the next millisecond would
    // be tomorrow (23:59:59.999, or a neighbour there), it goes to the first
    // free key from 00:00:01 of the day instead.
    if (!made)
        made = firstFreeAfter(transactions, account, startOfDay(date) + TicksPerSecond - TicksPerMillisecond,
                              date);
    transactions.restoreSort();
    transactions.moveTo(DbTable::NoRecord);
    return made;
}
