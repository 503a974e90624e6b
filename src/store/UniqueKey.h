#pragma once

#include "store/DbTable.h"
#include "store/FileTime.h"

#include <QString>

#include <optional>

// The account key (and date) of a new transaction: unique in the transaction
// table, and placed after the transactions already on its day.
struct NewTransactionKey {
    QString key;    // the AccountKey text
    FileTime date;  // the transaction's date-time, matching the key
};

// `transactions` is the transaction table's cursor; its sort is restored and
// it is left without a current record. `now` is the local clock's reading.
// nullopt for an account id below 1 (nothing may be created then).
std::optional<NewTransactionKey> uniqueAccountKey(DbTable& transactions, qint32 account, FileTime date,
                                                  FileTime now);
