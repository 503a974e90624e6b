#pragma once

// Finding a transaction by its account key, the one identity that survives
// every insertion and deletion around it, and reading it whole.

#include "store/DbTable.h"
#include "store/FileTime.h"
#include "store/Money.h"
#include "store/RecordLayout.h"
#include "store/TransactionRecord.h"

#include <QString>

#include <optional>

// A transaction as stored, for the editor's writes.
using StoredTransaction = TransactionRecord;

class TransactionLookup {
public:
    // Makes the transaction with that key current. `transactions` must be in
    // account-key order; false (no current record) when there is none.
    static bool seek(DbTable& transactions, const QString& key);
    // The record with that key, read whole; nullopt when there is none. The
    // cursor's sort is kept.
    static std::optional<StoredTransaction> read(DbTable& transactions, const QString& key);
    // Where the transaction stands in its account's run (0 = the account's
    // oldest); nullopt when there is no such transaction in that account.
    static std::optional<qint64> indexOf(DbTable& transactions, qint32 account, const QString& key);
    // The current record.
    static StoredTransaction current(const DbTable& transactions);
};
