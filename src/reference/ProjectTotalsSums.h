#pragma once

// One project's transactions summed by currency, and what the project record
// stores from them: the deposits and the payment magnitudes of each currency,
// unconverted, and the two own sums in the default currency, where each
// currency's sum is converted and rounded on its own before the terms are
// added.
//
// Every sum saturates at the 64-bit limits. An amount whose currency the cache
// does not hold (only damaged data has one) counts at rate 1 in the own sums
// and gets no per-currency field, since there is no currency number to file it
// under; a cached currency whose number has no field id is treated alike for
// the fields but is still converted at its rate.

#include "reference/CurrencyCache.h"
#include "store/Money.h"

#include <QString>
#include <QStringView>

#include <vector>

class ProjectTotalsSums {
public:
    // The cache must outlive the sums.
    explicit ProjectTotalsSums(const CurrencyCache& currencies);

    // A positive amount is a deposit, a negative one adds its magnitude to the payments.
    void add(Money amount, QStringView code);

    Money ownDeposits(QStringView defaultCode) const;
    Money ownPayments(QStringView defaultCode) const;

    // The per-currency fields of the project record: an entry for each cached
    // currency with a non-zero sum, deposits and payments in their own ids.
    PropList currencyFields() const;

private:
    struct Pair {
        Money deposits;
        Money payments;
    };
    Money converted(Money Pair::*side, QStringView defaultCode) const;
    int entryOf(QStringView code);

    const CurrencyCache* m_currencies;
    std::vector<Pair> m_byEntry;  // indexed like the cache's entries
    Pair m_uncached;
    // Transactions of one project mostly share a currency: skip the lookup then.
    QString m_lastCode;
    int m_lastEntry = -1;
};
