#pragma once

// A repair step: transactions whose account key names one account while
// their account id names another are filed again under the right one, when
// the record and the book tell which is right. Such a record shows in no
// register (the register finds an account's transactions by key and checks
// the id), and it keeps the key a new transaction of either account may need.
//
// Which account is right:
// - exactly one of the two accounts exists: that one;
// - both exist: the one the other side of a transfer names (its category is
//   the negated id of this side's account), else the one whose currency the
//   record carries when only one of them has it;
// - otherwise the record is left as it is, for `check` to report.
// Filed under the key's account, the record only gets its account id. Filed
// under the id's account, it gets a new account key for its date (a later
// millisecond when that key is taken, its project key following the date),
// and the other side of a transfer links to the new key.
//
// All of it runs in one store transaction. The running balances are
// recalculated afterwards by the caller.

#include "store/TableSet.h"

#include <optional>
#include <vector>

class MisfiledTransactionRepair {
public:
    explicit MisfiledTransactionRepair(TableSet& tables) : m_tables(tables) {}

    // The number of transactions filed again; nullopt when a write failed
    // (nothing changed then).
    std::optional<int> run();

private:
    struct Mend;

    std::vector<Mend> findMends();
    bool apply(const Mend& mend);

    TableSet& m_tables;
};
