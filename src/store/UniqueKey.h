#pragma once

#include "store/DbTable.h"
#include "store/FileTime.h"

#include <QString>

#include <optional>

// The account key (and date) of a new transaction: unique in the transaction
// table, and placed after the transactions already on its day. It never
// leaves that day: when no later millisecond of the day is free, it takes the
// first free one from 00:00:01 of the day.
struct NewTransactionKey {
    QString key;    // the AccountKey text
    FileTime date;  // the transaction's date-time, matching the key
};

// `transactions` is the transaction table's cursor; its sort is restored and
// it is left without a current record. `now` is the local clock's reading.
// nullopt for an account id below 1 (nothing may be created then), and when
// no millisecond of the day is free.
std::optional<NewTransactionKey> uniqueAccountKey(DbTable& transactions, qint32 account, FileTime date,
                                                  FileTime now);
