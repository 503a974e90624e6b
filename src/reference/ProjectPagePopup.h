#pragma once

#include <QString>
#include <QStringList>

#include <vector>

// The lines of a popup of the project page (a sub-project's context menu, the
// total popup), as data: a view turns them into a menu, tallyra-cli prints them.
struct ProjectPagePopup {
    struct Line {
        QString text;
        bool separator = false;
        friend bool operator==(const Line&, const Line&) = default;
    };
    std::vector<Line> lines;

    void add(const QString& text) { lines.push_back({text, false}); }
    void addSeparator() { lines.push_back({QString(), true}); }

    // One string per line, "-" for a separator.
    QStringList printed() const
    {
        QStringList out;
        for (const Line& line : lines)
            out << (line.separator ? QStringLiteral("-") : line.text);
        return out;
    }
};
