#pragma once

// The transactions a QIF record may be merged into: those of the target
// account as they stood when the import began, grouped by what a match
// compares (calendar day, description, number, amount and category, all
// exactly), each group in account-key order.
//
// A transaction is handed out once: after that it carries the import mark
// and cannot match a second record of the same file. Transactions the import
// adds are never in the index, so a record of the file can never be merged
// into another record of the same file.
//
// The import mark of the last import is cleared by clearUnmatchedMarks() once
// the file is read, on the transactions that no record matched; a matched
// one keeps (or gets) its mark. So a re-import of an unchanged file writes
// nothing for its matches, and the book ends as if every mark had been
// cleared first.

#include "interchange/QifRunBalance.h"
#include "store/DbTable.h"
#include "store/FileTime.h"

#include <QHash>
#include <QString>

#include <optional>
#include <vector>

class QifMatchIndex {
public:
    struct Candidate {
        RecordId record = 0;
        QString memo;
        int mark = 0;
        int importMark = 0;  // as the transaction holds it from the last import
    };

    // Reads the account's transactions, each also into `balances`.
    // `transactions` must be in account-key order; it is left without a
    // current record. False when a read failed.
    [[nodiscard]] bool load(DbTable& transactions, qint32 account, QifRunBalance& balances);
    // Clears the import mark of every transaction not handed out. False when a write failed.
    [[nodiscard]] bool clearUnmatchedMarks(DbTable& transactions);

    // The first transaction not handed out yet dated on `date`'s day with
    // exactly these fields; nullopt when there is none.
    std::optional<Candidate> take(FileTime date, const QString& description, const QString& number,
                                  qint64 amount, qint32 category);

    struct Key {
        FileTime day = 0;
        qint64 amount = 0;
        qint32 category = 0;
        QString description;
        QString number;
        friend bool operator==(const Key&, const Key&) = default;
    };

private:
    struct Group {
        std::vector<Candidate> candidates;
        size_t next = 0;
    };

    QHash<Key, Group> m_groups;
};

size_t qHash(const QifMatchIndex::Key& key, size_t seed = 0);
