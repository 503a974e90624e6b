#pragma once

// The selected row and the scroll position of a list, and how keys and row
// count changes move them. -1 selects nothing. `pageRows` is how many rows the
// list shows at once; the view sets it from its height.

#include <QtGlobal>

#include <optional>

class ListSelection {
public:
    enum class Key { Up, Down, Home, End, PageUp, PageDown };

    // What the owner is told when the selection moved.
    struct Change {
        qint64 from = -1;
        qint64 to = -1;
        friend bool operator==(const Change&, const Change&) = default;
    };

    qint64 rowCount() const { return m_rows; }
    qint64 selected() const { return m_selected; }
    qint64 firstVisible() const { return m_first; }
    qint64 pageRows() const { return m_page; }
    qint64 lastVisible() const;

    // A selection beyond the new end moves to the new last row (none when the
    // list becomes empty).
    std::optional<Change> setRowCount(qint64 rows);
    void setPageRows(qint64 rows);

    // Clamps to the rows, then scrolls: one line when the row is just outside
    // the visible rows, a page when the selection moved a full page, otherwise
    // just far enough to show it. Nothing when the list is empty.
    std::optional<Change> select(qint64 row);
    // Up and Down move one row; Home and End to the ends; Page Up selects the
    // top visible row, or when it is selected already moves a page up; Page
    // Down likewise with the bottom visible row.
    std::optional<Change> press(Key key);

private:
    void scrollTo(qint64 row, qint64 from);
    void clampFirst();

    qint64 m_rows = 0;
    qint64 m_selected = -1;
    qint64 m_first = 0;
    qint64 m_page = 1;
};
