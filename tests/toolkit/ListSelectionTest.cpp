#include "toolkit/ListSelection.h"

#include <gtest/gtest.h>

namespace {

using Key = ListSelection::Key;
using Change = ListSelection::Change;

// 100 rows, 10 visible.
ListSelection list(qint64 selected, qint64 first)
{
    ListSelection l;
    l.setRowCount(100);
    l.setPageRows(10);
    l.select(first);
    l.select(first + 9);
    l.select(first);
    l.select(selected);
    return l;
}

struct KeyCase {
    const char* what;
    qint64 selected;
    qint64 first;
    Key key;
    qint64 newSelected;
    qint64 newFirst;
};

TEST(ListSelection, KeysMoveTheSelectionAndScroll)
{
    const KeyCase cases[] = {
        {"down inside the page", 3, 0, Key::Down, 4, 0},
        {"down off the bottom scrolls one line", 9, 0, Key::Down, 10, 1},
        {"up off the top scrolls one line", 20, 20, Key::Up, 19, 19},
        {"up on the first row stays", 0, 0, Key::Up, 0, 0},
        {"down on the last row stays", 99, 90, Key::Down, 99, 90},
        {"home", 50, 45, Key::Home, 0, 0},
        {"end", 5, 0, Key::End, 99, 90},
        {"page down selects the bottom visible row", 3, 0, Key::PageDown, 9, 0},
        {"page down on the bottom visible row scrolls a page", 9, 0, Key::PageDown, 19, 10},
        {"page down near the end stops at the last row", 95, 90, Key::PageDown, 99, 90},
        {"page down on the last row stays", 99, 90, Key::PageDown, 99, 90},
        {"page up selects the top visible row", 25, 20, Key::PageUp, 20, 20},
        {"page up on the top visible row scrolls a page", 20, 20, Key::PageUp, 10, 10},
        {"page up near the start stops at the first row", 4, 4, Key::PageUp, 0, 0},
    };
    for (const KeyCase& c : cases) {
        ListSelection l = list(c.selected, c.first);
        ASSERT_EQ(l.selected(), c.selected) << c.what;
        ASSERT_EQ(l.firstVisible(), c.first) << c.what;
        l.press(c.key);
        EXPECT_EQ(l.selected(), c.newSelected) << c.what;
        EXPECT_EQ(l.firstVisible(), c.newFirst) << c.what;
    }
}

TEST(ListSelection, SelectClampsAndTellsTheOwnerOnlyOfAMove)
{
    ListSelection l = list(5, 0);
    EXPECT_EQ(l.select(-7), (Change{5, 0}));
    EXPECT_EQ(l.select(500), (Change{0, 99}));
    EXPECT_EQ(l.firstVisible(), 90) << "a far jump scrolls just far enough to show the row";
    EXPECT_FALSE(l.select(99).has_value());
    EXPECT_EQ(l.select(40), (Change{99, 40}));
    EXPECT_EQ(l.firstVisible(), 40);
}

TEST(ListSelection, ShrinkingBelowTheSelectionSelectsTheNewLastRow)
{
    ListSelection l = list(95, 90);
    EXPECT_EQ(l.setRowCount(50), (Change{95, 49}));
    EXPECT_EQ(l.selected(), 49);
    EXPECT_EQ(l.firstVisible(), 40);
    EXPECT_FALSE(l.setRowCount(60).has_value()) << "growing keeps the selection";
    EXPECT_FALSE(l.setRowCount(50).has_value()) << "the selection is still inside";
    EXPECT_EQ(l.setRowCount(49), (Change{49, 48}));
    EXPECT_EQ(l.setRowCount(0), (Change{48, -1}));
    EXPECT_EQ(l.firstVisible(), 0);
    EXPECT_FALSE(l.select(3).has_value()) << "an empty list selects nothing";
    EXPECT_FALSE(l.press(Key::Down).has_value());
}

TEST(ListSelection, WithoutASelectionTheFirstKeySelects)
{
    ListSelection l;
    l.setRowCount(30);
    l.setPageRows(10);
    EXPECT_EQ(l.press(Key::Down), (Change{-1, 0}));
    ListSelection m;
    m.setRowCount(30);
    m.setPageRows(10);
    EXPECT_EQ(m.press(Key::PageDown), (Change{-1, 9}));
}

}  // namespace
