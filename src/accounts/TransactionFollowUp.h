#pragma once

// What a write of transactions leaves to do before its store transaction
// commits: the running balances of each touched account from its first
// changed place, and the totals of each touched project marked stale.
//
// Each change is noted with its index in its account's run as it stands at
// that moment. A change at index i moves nothing before i, so the smallest
// index noted for an account is a safe start for the whole batch.
//
// A rate confirmed during the write changes what every project holding money
// in either currency is worth in the default currency, so those projects are
// marked stale as well.

#include "reference/CurrencyCache.h"
#include "reference/ProjectTotals.h"
#include "store/TableSet.h"

#include <map>
#include <set>

class TransactionFollowUp {
public:
    void noteAccount(qint32 account, qint64 index);
    void noteProject(qint32 project);
    // A rate between the two currencies was stored.
    void noteRate(const QString& codeA, const QString& codeB);
    // An amount worked out during the write (a converted transfer side) left
    // the amount limit; the write stops and the save says "This number too large.".
    void noteTooLarge() { m_tooLarge = true; }
    // True after noteTooLarge(), or after apply() rewrote a running balance
    // that reached a limit of the number range (a sum that saturated).
    bool tooLarge() const { return m_tooLarge; }

    // Recalculates each account that still exists (reserved accounts keep no
    // balances and are never noted) and marks each project stale. False when
    // one failed. A running balance at a limit of the number range is noted
    // (tooLarge()), not refused here.
    [[nodiscard]] bool apply(TableSet& tables, ProjectTotals& totals, const CurrencyCache& currencies);

    const std::map<qint32, qint64>& accounts() const { return m_accounts; }
    const std::set<qint32>& projects() const { return m_projects; }

private:
    std::map<qint32, qint64> m_accounts;
    std::set<qint32> m_projects;
    std::set<QString> m_rateCodes;
    bool m_tooLarge = false;
};
