#pragma once

// Puts a group report's rows in the order of the chosen column: 1 the label,
// 2 deposits, 3 payments (the larger payment counts as the smaller value, as
// the column shows them), 4 deposits - payments. Each row gets the column's
// text key (amounts through ReportSortKey), and the rows are sorted by it;
// equal keys keep the order the rows were made in, in either direction.

#include "reports/GroupRow.h"
#include "reports/ReportSort.h"

class GroupRowOrder {
public:
    static constexpr int LastColumn = 4;

    static QString keyOf(const GroupRow& row, int column);
    static void sort(std::vector<GroupRow>& rows, const ReportSort& order);
};
