#pragma once

// Keeps the running balances: every transaction stores the balance of its
// account after itself (sum of its amount and of all earlier ones in key order),
// and every account record stores its total, the last running balance (0
// without transactions).
//
// Each recalculation runs in one store transaction: the book gets the whole run
// rewritten or none of it. Only values that change are written.

#include "platform/Interaction.h"
#include "store/Money.h"
#include "store/TableSet.h"

#include <optional>

class BalanceRecalc {
public:
    explicit BalanceRecalc(TableSet& tables) : m_tables(tables) {}

    // Rewrites the running balances of `account` from its `firstIndex`-th
    // transaction on (a negative index: from the first), then its total.
    // Returns the new total; nullopt when the account record does not exist
    // or a write failed (nothing changed then).
    std::optional<Money> recalc(qint32 account, qint64 firstIndex = -1);

    static constexpr const char* ProgressText = "Recalc Balance...";

    enum class AllOutcome { Done, Stopped, Failed };

    // Every account from its first transaction. False when one failed; the
    // accounts before it keep their new balances.
    bool recalcAll();
    // The same with a progress window of one step per account; "Stop" ends
    // the run between two accounts, the ones done keeping their new balances.
    // A failed account does not stop the others.
    AllOutcome recalcAll(Interaction& progress);

    // True once a running balance rewritten by this object sat at a limit of
    // the 64-bit range: the sum saturated there and no longer is the true
    // balance. The run is still written; a save that caused it refuses.
    bool reachedLimit() const { return m_reachedLimit; }

private:
    std::optional<Money> rewriteRun(qint32 account, qint64 firstIndex);
    bool writeTotal(qint32 account, Money total);

    TableSet& m_tables;
    bool m_reachedLimit = false;
};
