#pragma once

// The sort a view's rows are shown in: a column and a direction. Tapping a
// column's header picks it ascending, or turns the direction when it is
// already the sort column.
struct ReportSort {
    int column = 1;
    bool descending = false;

    // False (nothing changes) for a column outside 1..lastColumn.
    bool tap(int tapped, int lastColumn)
    {
        if (tapped < 1 || tapped > lastColumn)
            return false;
        if (tapped == column) {
            descending = !descending;
        } else {
            column = tapped;
            descending = false;
        }
        return true;
    }
};
