#pragma once

// The contact lines in the order the list shows them, and the searches over
// them.
//
// Order: without regard to case, lines equal that way by UTF-16 code unit,
// so the order never depends on the machine's locale. Searches compare lower
// case against lower case.

#include "reference/ContactCard.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <QStringView>

class ContactList {
public:
    // Lines of the listed cards (ContactLine.h), sorted. Cards without a name
    // or company give no line.
    void setCards(const QList<ContactCard>& cards);
    void clear();

    int size() const { return static_cast<int>(m_lines.size()); }
    bool isEmpty() const { return m_lines.isEmpty(); }
    const QString& at(int row) const { return m_lines[row]; }
    const QStringList& lines() const { return m_lines; }

    // The list's own prefix search: the first row after `after`, going down
    // and then round from the top up to `after` itself, whose line begins
    // with `text`. `after` -1 searches from the top. -1 when no line matches.
    int findPrefix(QStringView text, int after) const;
    // The first row at or below `from` whose line contains `text`; -1 when
    // none does. Nothing wraps round.
    int findContaining(QStringView text, int from) const;

private:
    QStringList m_lines;
    QStringList m_lowerLines;  // m_lines in lower case, row for row
};
