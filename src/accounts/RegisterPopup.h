#pragma once

#include <QString>
#include <QStringList>

#include <vector>

// The lines of a popup the register opens (the balance popup, the information
// popup), as data: a view turns them into a menu, tallyra-cli prints them.
struct RegisterPopup {
    struct Line {
        enum class Kind { Text, Separator, Submenu };
        Kind kind = Kind::Text;
        QString text;              // a submenu's title
        std::vector<Line> children;  // a submenu's lines

        static Line textLine(const QString& text) { return {Kind::Text, text, {}}; }
        static Line separator() { return {Kind::Separator, {}, {}}; }
    };

    QString title;  // empty for a popup without one
    std::vector<Line> lines;

    // One string per line: a separator is "-", a submenu is its title followed
    // by its own lines indented by two blanks.
    QStringList printed() const
    {
        QStringList out;
        print(lines, QString(), out);
        return out;
    }

private:
    static void print(const std::vector<Line>& lines, const QString& indent, QStringList& out)
    {
        for (const Line& line : lines) {
            out << indent + (line.kind == Line::Kind::Separator ? QStringLiteral("-") : line.text);
            if (line.kind == Line::Kind::Submenu)
                print(line.children, indent + QStringLiteral("  "), out);
        }
    }
};
