#pragma once

// Pass 1 of the import: the date order of a whole file, from its "D" lines.
//
// The first date that settles an order decides for the file. Until then the
// position of the year is remembered from the first date that showed one; an
// apostrophe in a date (the 12/31'99 form) puts the year third. A file that
// never settles takes the locale's order, with its 'y' moved to the position
// remembered, if any (QifDateOrder::moveYearTo).

#include "interchange/QifDateOrder.h"

#include <QStringView>

class QifDateOrderScan {
public:
    // Looks at the value of one "D" line; true once the order is settled (the
    // pass may stop then; later values change nothing).
    bool feed(QStringView date);
    bool isSettled() const { return m_settled; }
    // The file's order: the settled one, else the locale's adjusted by the year position.
    QifDateOrder result(int localeDateOrder) const;

private:
    QifDateOrder m_order;
    bool m_settled = false;
    int m_yearPosition = -1;
};
