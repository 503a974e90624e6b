#pragma once

// Writing transaction records: a new one under a key of the unique-key rule,
// and the fields shared by every writer (the transfer link, the project id
// with its key). The caller groups the writes in a store transaction and
// recalculates running balances afterwards; every record is written with a
// running balance of 0 until then.

#include "accounts/TransactionDraft.h"
#include "store/DbTable.h"

#include <QString>

#include <optional>

struct WrittenTransaction {
    QString key;
    FileTime date = 0;  // the final date-time, matching the key
};

class TransactionWriter {
public:
    // A new record from the draft. nullopt when no key can be made (an
    // account id below 1, the end of the calendar) or the write failed.
    // `now` is the clock's reading for the unique-key rule.
    static std::optional<WrittenTransaction> insert(DbTable& transactions, const TransactionDraft& draft,
                                                    FileTime now);

    // Writes `link` as the transfer link of the record with that key (an
    // empty link removes it). False when there is no such record or the write failed.
    static bool setLink(DbTable& transactions, const QString& key, const QString& link);

    // The project id and key of a transaction dated `keyDate`; removals of
    // both for project 0.
    static void addProject(PropList& changes, qint32 project, FileTime keyDate);
};
