#pragma once

// The fields of one transaction that the report stages read, taken from the
// Transaction table's current record in one go.

#include "platform/StoreTypes.h"
#include "store/FileTime.h"
#include "store/Money.h"

#include <QString>

class DbTable;

struct ReportTransaction {
    RecordId record = 0;  // the store's identity: the row's link back to the book
    qint32 account = 0;
    FileTime date = 0;
    Money amount;
    QString currency;
    qint32 category = 0;  // < 0: a transfer to account -category
    qint32 project = 0;
    QString description;

    bool isTransfer() const { return category < 0; }

    static ReportTransaction read(const DbTable& transactions);
};
