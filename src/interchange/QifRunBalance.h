#pragma once

// The account's transactions as they stood before an import, reduced to what
// the running balance of a new transaction needs: the sum of the amounts of
// every transaction whose account key sorts before a given key.
//
// An import writes its new transactions with their final running balance, so
// that the recalculation that closes the import finds them right and rewrites
// only the transactions that came before the import and now sit after a new
// one.

#include "store/Money.h"

#include <QString>

#include <vector>

class QifRunBalance {
public:
    // Each transaction of the run, in account-key order.
    void add(const QString& key, Money amount);
    // The sum of the amounts added under keys smaller than `key`.
    Money before(const QString& key) const;

private:
    std::vector<QString> m_keys;
    std::vector<Money> m_sums;  // m_sums[i]: the amounts of m_keys[0..i]
};
