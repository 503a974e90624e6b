#include "reports/GroupRowOrder.h"

#include "reports/ReportSortKey.h"

#include <algorithm>

QString GroupRowOrder::keyOf(const GroupRow& row, int column)
{
    switch (column) {
    case 2:
        return ReportSortKey::amountKey(row.deposits);
    case 3:
        return ReportSortKey::amountKey(-row.payments);
    case 4:
        return ReportSortKey::amountKey(row.total());
    default:
        return row.label;
    }
}

void GroupRowOrder::sort(std::vector<GroupRow>& rows, const ReportSort& order)
{
    for (GroupRow& row : rows)
        row.sortKey = keyOf(row, order.column);
    // QString's operator< compares UTF-16 code units, as the store's text sort does.
    if (order.descending)
        std::stable_sort(rows.begin(), rows.end(),
                         [](const GroupRow& a, const GroupRow& b) { return b.sortKey < a.sortKey; });
    else
        std::stable_sort(rows.begin(), rows.end(),
                         [](const GroupRow& a, const GroupRow& b) { return a.sortKey < b.sortKey; });
}
