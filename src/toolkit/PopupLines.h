#pragma once

#include <QString>
#include <QStringList>

#include <vector>

// The lines of a popup menu as data, the same for every page of both
// programs: one menu builder turns them into a menu, tallyra-cli prints them.
struct PopupLine {
    enum class Kind { Text, Separator, Submenu };
    Kind kind = Kind::Text;
    QString text;                     // a submenu's title
    std::vector<PopupLine> children;  // a submenu's lines

    static PopupLine line(const QString& text) { return {Kind::Text, text, {}}; }
    static PopupLine separator() { return {Kind::Separator, {}, {}}; }
    static PopupLine submenu(const QString& title) { return {Kind::Submenu, title, {}}; }
    bool isSeparator() const { return kind == Kind::Separator; }
    friend bool operator==(const PopupLine&, const PopupLine&) = default;
};

struct PopupLines {
    QString title;  // empty for a popup without one
    std::vector<PopupLine> lines;

    void add(const QString& text) { lines.push_back(PopupLine::line(text)); }
    void add(PopupLine line) { lines.push_back(std::move(line)); }
    void addSeparator() { lines.push_back(PopupLine::separator()); }
    bool empty() const { return lines.empty(); }

    // One string per line: a separator is "-", a submenu is its title followed
    // by its own lines indented by two blanks.
    QStringList printed() const
    {
        QStringList out;
        print(lines, QString(), out);
        return out;
    }

private:
    static void print(const std::vector<PopupLine>& lines, const QString& indent, QStringList& out)
    {
        for (const PopupLine& line : lines) {
            out << indent + (line.isSeparator() ? QStringLiteral("-") : line.text);
            if (line.kind == PopupLine::Kind::Submenu)
                print(line.children, indent + QStringLiteral("  "), out);
        }
    }
};
