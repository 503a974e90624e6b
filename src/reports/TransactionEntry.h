#pragma once

// Everything the transaction list's writers and popup show of one
// transaction, resolved from the book by TransactionEntryReader.

#include "store/FileTime.h"
#include "store/Money.h"

#include <QString>

struct TransactionEntry {
    qint32 account = 0;
    QString accountName;
    FileTime date = 0;
    QString description;
    Money amount;
    QString currency;
    Money converted;       // into the report currency, rounded half away from zero
    qint32 category = 0;   // < 0: a transfer to account -category
    QString categoryText;  // the path, or for a transfer "[" + other account + "]"
    qint32 project = 0;
    QString projectPath;
    QString contact;
    QString note;
    QString number;
    qint32 mark = 0;
    QString transferLink;  // the other side's account key

    bool isTransfer() const { return category < 0; }
};
