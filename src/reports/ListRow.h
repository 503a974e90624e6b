#pragma once

// One row of the transaction list: a link to its transaction and what the
// chosen column sorts by.

#include "platform/StoreTypes.h"
#include "store/FileTime.h"
#include "store/Money.h"

#include <QString>

struct ListRow {
    RecordId record = 0;
    FileTime date = 0;
    Money converted;  // in the report currency
    // Column 2 the description, column 3 the amount's key; column 1 sorts by date.
    QString sortKey;
};
