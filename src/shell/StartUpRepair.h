#pragma once

// The repair path's rewrite of stored currency codes: every non-empty code of
// transactions, currencies, plans and accounts in upper case, currency names
// reset to the built-in ones. Only records that change are written, all in one
// store transaction.

#include "store/TableSet.h"

class StartUpRepair {
public:
    // False when a write failed; nothing changed then.
    static bool normaliseCodes(TableSet& tables);
    // Upper-cases the currency code of every record of `table`; the cursor's
    // order is restored.
    static bool upperCaseCodes(DbTable& table);
};
