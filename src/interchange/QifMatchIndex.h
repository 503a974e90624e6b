#pragma once

// The transactions a statement line may be merged into: those of the target
// account as they stood when the import began, grouped by what a match
// compares (calendar day, description, number, amount and category, all
// exactly), each group in account-key order, and by the bank's id (FITID)
// for those that carry one.
//
// A line with a bank id merges into the transaction with that id. When no
// transaction has it, the line looks for the first transaction of its group
// that carries no bank id: one with another id is another line of the bank,
// so two lines that share date and amount never merge into each other's
// transactions. A line without a bank id (QIF, CSV) takes the first of its
// group, with an id or without.
//
// A transaction is handed out once: after that it carries the import mark
// and cannot match a second line of the same file. Transactions the import
// adds are never in the index, so a line of the file can never be merged
// into another line of the same file.
//
// The import mark of the last import is cleared by clearUnmatchedMarks() once
// the file is read, on the transactions that no line matched; a matched one
// keeps (or gets) its mark. So a re-import of an unchanged file writes
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
        QString key;  // its account key
        QString memo;
        QString fitId;
        int mark = 0;
        int importMark = 0;  // as the transaction holds it from the last import
    };

    // What a line looks for.
    struct Wanted {
        FileTime date = 0;
        QString description;
        QString number;
        qint64 amount = 0;
        qint32 category = 0;
        QString fitId;
    };

    // Reads the account's transactions, each also into `balances`.
    // `transactions` must be in account-key order; it is left without a
    // current record. False when a read failed.
    [[nodiscard]] bool load(DbTable& transactions, qint32 account, QifRunBalance& balances);
    // Clears the import mark of every transaction not handed out. False when a write failed.
    [[nodiscard]] bool clearUnmatchedMarks(DbTable& transactions);

    // The transaction `wanted` merges into, as the rules above pick it;
    // nullopt when there is none.
    std::optional<Candidate> take(const Wanted& wanted);

    struct Key {
        FileTime day = 0;
        qint64 amount = 0;
        qint32 category = 0;
        QString description;
        QString number;
        friend bool operator==(const Key&, const Key&) = default;
    };

private:
    struct Slot {
        Candidate candidate;
        bool taken = false;
    };
    struct Group {
        std::vector<Slot> slots;
        size_t next = 0;  // no slot before it is free
    };
    struct Place {
        Key key;
        size_t slot = 0;
    };

    std::optional<Candidate> takeFromGroup(const Key& key, bool withoutFitId);
    static Candidate takeSlot(Group& group, size_t slot);

    QHash<Key, Group> m_groups;
    QHash<QString, Place> m_byFitId;  // the first transaction with each bank id
};

size_t qHash(const QifMatchIndex::Key& key, size_t seed = 0);
