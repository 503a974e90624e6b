#include "reference/ContactList.h"

#include "reference/ContactLine.h"

#include <algorithm>

namespace {

bool listsBefore(const QString& a, const QString& b)
{
    const int folded = a.compare(b, Qt::CaseInsensitive);
    return folded != 0 ? folded < 0 : a < b;
}

}  // namespace

void ContactList::setCards(const QList<ContactCard>& cards)
{
    clear();
    for (const ContactCard& card : cards) {
        QString line = contactLine(card);
        if (!line.isEmpty())
            m_lines.append(std::move(line));
    }
    std::sort(m_lines.begin(), m_lines.end(), listsBefore);
    m_lowerLines.reserve(m_lines.size());
    for (const QString& line : m_lines)
        m_lowerLines.append(line.toLower());
}

void ContactList::clear()
{
    m_lines.clear();
    m_lowerLines.clear();
}

int ContactList::findPrefix(QStringView text, int after) const
{
    const QString wanted = text.toString().toLower();
    const int count = size();
    const int start = after < 0 || after >= count ? -1 : after;
    for (int step = 1; step <= count; ++step) {
        const int row = (start + step) % count;
        if (m_lowerLines[row].startsWith(wanted))
            return row;
    }
    return -1;
}

int ContactList::findContaining(QStringView text, int from) const
{
    const QString wanted = text.toString().toLower();
    for (int row = qMax(from, 0); row < size(); ++row) {
        if (m_lowerLines[row].contains(wanted))
            return row;
    }
    return -1;
}
