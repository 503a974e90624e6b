#pragma once

#include "store/FileTime.h"
#include "store/Money.h"

#include <QString>

// One record of the Account table as read.
struct AccountRecord {
    qint32 id = 0;
    QString name;
    QString note;
    Money total;  // equals the running balance of the account's last transaction
    FileTime created = 0;
    QString currency;  // fixed at creation; every transaction of the account carries it
};
