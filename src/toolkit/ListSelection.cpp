#include "toolkit/ListSelection.h"

#include <algorithm>

qint64 ListSelection::lastVisible() const
{
    return std::min(m_first + m_page, m_rows) - 1;
}

std::optional<ListSelection::Change> ListSelection::setRowCount(qint64 rows)
{
    m_rows = std::max<qint64>(rows, 0);
    clampFirst();
    if (m_selected < m_rows)
        return std::nullopt;
    const Change change{m_selected, m_rows - 1};
    m_selected = change.to;
    if (m_selected >= 0)
        scrollTo(m_selected, change.from);
    return change;
}

void ListSelection::setPageRows(qint64 rows)
{
    m_page = std::max<qint64>(rows, 1);
    clampFirst();
}

std::optional<ListSelection::Change> ListSelection::select(qint64 row)
{
    if (m_rows == 0)
        return std::nullopt;
    const qint64 to = std::clamp<qint64>(row, 0, m_rows - 1);
    const qint64 from = m_selected;
    scrollTo(to, from);
    if (to == from)
        return std::nullopt;
    m_selected = to;
    return Change{from, to};
}

std::optional<ListSelection::Change> ListSelection::press(Key key)
{
    switch (key) {
    case Key::Up:
        return select(m_selected - 1);
    case Key::Down:
        return select(m_selected + 1);
    case Key::Home:
        return select(0);
    case Key::End:
        return select(m_rows - 1);
    case Key::PageUp:
        return select(m_selected == m_first ? m_selected - m_page : m_first);
    case Key::PageDown:
        return select(m_selected == lastVisible() ? m_selected + m_page : lastVisible());
    }
    return std::nullopt;
}

void ListSelection::scrollTo(qint64 row, qint64 from)
{
    const qint64 last = m_first + m_page - 1;
    if (row >= m_first && row <= last)
        return;
    if (row == m_first - 1 || row == last + 1)
        m_first += row < m_first ? -1 : 1;
    else if (from >= 0 && (row - from == m_page || from - row == m_page))
        m_first += row - from;
    else
        m_first = row < m_first ? row : row - m_page + 1;
    clampFirst();
}

void ListSelection::clampFirst()
{
    m_first = std::clamp<qint64>(m_first, 0, std::max<qint64>(m_rows - m_page, 0));
}
