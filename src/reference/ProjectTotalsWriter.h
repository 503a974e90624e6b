#pragma once

// Writes totals onto the current record of the project table cursor, one
// property at a time through the cursor, skipping a value the record already
// holds (a missing field counts as 0), so an update that changes nothing
// writes nothing. Each function returns false when a write failed.

#include "store/DbTable.h"
#include "store/Money.h"

class ProjectTotalsWriter {
public:
    // The per-currency fields become exactly `currencyFields`: fields the list
    // lacks are removed. Then the two own sums.
    static bool writeOwn(DbTable& projects, const PropList& currencyFields, Money deposits, Money payments);
    static bool writeTree(DbTable& projects, Money deposits, Money payments);
    static bool markValid(DbTable& projects);
    static bool markStale(DbTable& projects);
    // All of a full update's values for the current record, in one store write.
    static bool writeAll(DbTable& projects, const PropList& currencyFields, Money ownDeposits,
                         Money ownPayments, Money treeDeposits, Money treePayments);

private:
    static bool writeAmount(DbTable& projects, quint16 id, Money value);
    static bool removeOtherCurrencyFields(DbTable& projects, const PropList& keep);
};
