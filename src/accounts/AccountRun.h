#pragma once

#include "store/DbTable.h"

// Where one account's transactions stand in the transaction table: account keys
// keep them together, in date order, as one run of positions.
struct AccountRun {
    qint64 first = 0;  // position of the account's first transaction
    qint64 count = 0;  // 0 when the account has none

    qint64 end() const { return first + count; }

    // `transactions` must be in account-key order (its working order). Key ids
    // compare as text, so each end of the run is checked by its account id.
    // The cursor is left without a current record.
    static AccountRun locate(DbTable& transactions, qint32 account);
};
