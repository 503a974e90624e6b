#pragma once

// Deleting a transaction with the other side of its transfer. Each side goes
// as TransactionRemoval takes it: a transaction posted from a plan moves to the
// holder account (no longer a side of any transfer) so the plan still counts
// that occurrence as dealt with; any other is deleted. The caller runs it in a
// store transaction and applies the follow-up before committing.

#include "accounts/TransactionFollowUp.h"
#include "accounts/TransactionLookup.h"
#include "store/TableSet.h"

class TransactionDeletion {
public:
    // The transaction with that key and, for a transfer whose other side and
    // other account still exist, that side too. False when it is missing or a
    // write failed.
    static bool remove(TableSet& tables, const QString& key, FileTime now, TransactionFollowUp& followUp);

    // One side alone, removed; its account and project noted. False when a write failed.
    static bool removeOne(TableSet& tables, const StoredTransaction& side, FileTime now,
                          TransactionFollowUp& followUp);
};
