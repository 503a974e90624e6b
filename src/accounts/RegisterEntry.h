#pragma once

#include "store/FileTime.h"
#include "store/Money.h"
#include "store/RecordLayout.h"

#include <QString>

// One transaction of the register as read from its record.
struct RegisterEntry {
    QString key;       // the account key, unique in the table
    FileTime date = 0;
    QString number;
    QString description;
    Money amount;
    Money balance;     // running balance after this transaction
    ReconcileMark mark = ReconcileMark::Unreconciled;
    qint32 category = 0;  // negative: a transfer to account -category
    qint32 project = 0;
    QString contact;
    QString note;
    QString link;      // the other side's account key; transfers only
    qint32 plannerId = 0;
    QString currency;

    bool isTransfer() const { return category < 0; }
};
