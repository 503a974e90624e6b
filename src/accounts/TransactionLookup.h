#pragma once

// Finding a transaction by its account key, the one identity that survives
// every insertion and deletion around it, and reading it whole.

#include "store/DbTable.h"
#include "store/FileTime.h"
#include "store/Money.h"
#include "store/RecordLayout.h"

#include <QString>

#include <optional>

struct StoredTransaction {
    QString key;
    qint32 account = 0;
    FileTime date = 0;
    QString description;
    QString number;
    QString note;
    QString contact;
    ReconcileMark mark = ReconcileMark::Unreconciled;
    Money amount;
    QString currency;
    qint32 category = 0;  // negative: a transfer to account -category
    qint32 project = 0;
    QString link;  // the other side's account key
    QString plannerKey;

    bool isTransfer() const { return category < 0; }
    // The other account of a transfer; 0 otherwise.
    qint32 otherAccount() const { return category < 0 ? -category : 0; }
};

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
