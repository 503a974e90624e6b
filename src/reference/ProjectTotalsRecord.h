#pragma once

// The totals a project record carries, as read from it. A record lacking a
// field counts it as 0, so a project never computed shows zero totals.
//
// Own sums are this project's transactions converted into the default
// currency; subtree sums are the own sums of every descendant (the project
// itself not included), so the net total of the project with its subtree is
// own deposits - own payments + subtree deposits - subtree payments.

#include "store/DbTable.h"
#include "store/Money.h"

#include <map>

class ProjectTotalsRecord {
public:
    // The current record of the project table cursor.
    static ProjectTotalsRecord readFrom(const DbTable& projects);

    qint32 id = 0;
    qint32 parent = 0;
    QString name;
    Money ownDeposits;
    Money ownPayments;  // a magnitude
    Money treeDeposits;
    Money treePayments;  // a magnitude
    bool valid = false;
    // Unconverted sums by currency number; only the currencies the record holds.
    std::map<int, Money> depositsByCurrency;
    std::map<int, Money> paymentsByCurrency;  // magnitudes

    // The project with its subtree, saturating.
    Money netTotal() const { return ownDeposits - ownPayments + treeDeposits - treePayments; }
    Money depositsIn(int currencyNumber) const;
    Money paymentsIn(int currencyNumber) const;
};
