#pragma once

// A record of the transaction table as one value: every property a
// transaction holds, read in one place.

#include "store/FileTime.h"
#include "store/Money.h"
#include "store/RecordLayout.h"

#include <QString>

class DbTable;

struct TransactionRecord {
    QString key;  // the account key, unique in the table
    qint32 account = 0;
    FileTime date = 0;
    QString number;
    QString description;
    Money amount;
    Money balance;  // running balance after this transaction
    ReconcileMark mark = ReconcileMark::Unreconciled;
    qint32 category = 0;  // negative: a transfer to account -category
    qint32 project = 0;
    QString contact;
    QString note;
    QString link;  // the other side's account key; transfers only
    qint32 plannerId = 0;
    QString plannerKey;
    QString currency;

    bool isTransfer() const { return category < 0; }
    // The other account of a transfer; 0 otherwise.
    qint32 otherAccount() const { return category < 0 ? -category : 0; }

    // The current record of `transactions`; a mark outside the three reads as
    // the nearest of them.
    static TransactionRecord read(const DbTable& transactions);
};
