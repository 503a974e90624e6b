#pragma once

// The columns of a list: each with its width in pixels, the index it was
// created with and its header text, held in display order (the header shows
// them so). The layout is remembered in the program's settings, in a section
// named after the list's class and a number its owner picks ("%s%d"), under
// "ColumnCount" and, per created column i, "P<i>" (its display position) and
// "W<i>" (its width). A stored layout for another number of columns is
// ignored, so a list that gained a column starts from its defaults.

#include <QString>

#include <vector>

class SettingsFile;

struct ListColumn {
    int created = 0;  // the index it was inserted with, kept while columns move
    int width = 0;
    QString title;
    friend bool operator==(const ListColumn&, const ListColumn&) = default;
};

class ListColumns {
public:
    static QString section(const QString& className, int number);

    // Inserts at a display position (clamped to the ends); columns created at
    // that index or later are renumbered one up, as a header renumbers them.
    void insert(int index, int width, const QString& title);
    int count() const { return static_cast<int>(m_columns.size()); }
    const std::vector<ListColumn>& inDisplayOrder() const { return m_columns; }
    // The display position of a created column; -1 when there is none.
    int positionOf(int created) const;

    // A header item dragged to another place; false when either position is
    // outside the columns.
    bool move(int from, int to);
    // The width a divider drag ends with; negative widths count as 0.
    bool setWidth(int position, int width);

    bool save(SettingsFile& settings, const QString& section) const;
    // Applies a stored layout; false, with the layout unchanged, when none is
    // stored, it was stored for another number of columns, or its positions do
    // not name every column once.
    bool load(const SettingsFile& settings, const QString& section);

private:
    std::vector<ListColumn> m_columns;
};
