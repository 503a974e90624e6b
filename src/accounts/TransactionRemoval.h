#pragma once

// Taking a transaction out of its account. A transaction posted from a plan
// (it has a planner key) is never deleted: it moves to the holder account
// (ReservedAccount::Holder) with a new key made by the unique-key rule for
// `now`, date now, and its project key, description, note, number and contact
// emptied, so the plan still knows that occurrence was dealt with. A held
// record is no side of a transfer: its link and a transfer category go too.
// Any other transaction is deleted.
//
// Neither function touches the other side of a transfer, running balances or
// project totals; the caller does, inside the same store transaction.

#include "store/FileTime.h"
#include "store/TableSet.h"

#include <QString>

class TransactionRemoval {
public:
    enum class Outcome { Deleted, MovedToHolder, Failed };

    // The transaction at `position` of the transaction table (account-key
    // order). Failed when no holder key can be formed or a write failed;
    // nothing is removed then. The cursor is left without a current record.
    static Outcome removeAt(TableSet& tables, qint64 position, FileTime now);
    // The transaction with that account key; Failed when there is none.
    static Outcome removeByKey(TableSet& tables, const QString& accountKey, FileTime now);
};
