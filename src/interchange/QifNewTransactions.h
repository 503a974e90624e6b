#pragma once

// The transactions a statement import adds, gathered while the file is read and
// written together once it is done.
//
// They are written in date order, keeping the file's order within a day. The
// key of a new transaction depends only on the transactions already on its
// own day (the unique-key rule places it after them), and no record of the
// file is ever merged into one the import added, so this gives every
// transaction the key and fields it would have got had it been written the
// moment its record ended. Writing in date order keeps each insert near the
// end of the account's run, where the sort indexes are cheap to grow, even
// for a file that lists the newest transaction first; and it makes every new
// key sort after the new keys written before it, so each new transaction's
// running balance is known when it is written.

#include "interchange/QifRunBalance.h"
#include "store/DbTable.h"
#include "store/FileTime.h"
#include "store/Money.h"

#include <QString>
#include <QStringList>

#include <optional>
#include <vector>

class QifNewTransactions {
public:
    struct Entry {
        FileTime date = 0;  // midnight of the record's day
        Money amount;
        QString description;
        QString memo;
        QString contact;
        QString number;
        int mark = 0;
        qint32 category = 0;
        qint32 project = 0;
        QString fitId;  // the bank's id of the line
    };

    void add(Entry entry) { m_entries.push_back(std::move(entry)); }
    qsizetype size() const { return static_cast<qsizetype>(m_entries.size()); }
    bool isEmpty() const { return m_entries.empty(); }

    // Writes every entry to `account` with the account's `currency`; `now` is
    // the local clock's reading (a record of today takes the current time).
    // Each gets the running balance it has among `before` (the account's
    // transactions before the import) and the entries written ahead of it:
    // their keys all sort before its own. False when a key could not be made
    // or a write failed. `transactions` must be in account-key order. The
    // new account keys are appended to `keys` when it is given.
    [[nodiscard]] bool writeAll(DbTable& transactions, qint32 account, const QString& currency, FileTime now,
                                const QifRunBalance& before, QStringList* keys = nullptr);

private:
    struct Target {
        qint32 account = 0;
        QString currency;
        FileTime now = 0;
    };
    bool write(DbTable& transactions, const Target& target, const Entry& entry, const QifRunBalance& before,
               Money* added, QStringList* keys);

    std::vector<Entry> m_entries;
};
