#include "toolkit/ListColumns.h"

#include "platform/SettingsFile.h"

#include <algorithm>
#include <utility>

namespace {

const QString CountKey = QStringLiteral("ColumnCount");

QString positionKey(int created)
{
    return QStringLiteral("P%1").arg(created);
}

QString widthKey(int created)
{
    return QStringLiteral("W%1").arg(created);
}

}  // namespace

QString ListColumns::section(const QString& className, int number)
{
    return className + QString::number(number);
}

void ListColumns::insert(int index, int width, const QString& title)
{
    const int at = std::clamp(index, 0, count());
    for (ListColumn& column : m_columns) {
        if (column.created >= at)
            ++column.created;
    }
    m_columns.insert(m_columns.begin() + at, ListColumn{at, std::max(width, 0), title});
}

int ListColumns::positionOf(int created) const
{
    for (int i = 0; i < count(); ++i) {
        if (m_columns[static_cast<size_t>(i)].created == created)
            return i;
    }
    return -1;
}

bool ListColumns::move(int from, int to)
{
    if (from < 0 || from >= count() || to < 0 || to >= count())
        return false;
    ListColumn column = std::move(m_columns[static_cast<size_t>(from)]);
    m_columns.erase(m_columns.begin() + from);
    m_columns.insert(m_columns.begin() + to, std::move(column));
    return true;
}

bool ListColumns::setWidth(int position, int width)
{
    if (position < 0 || position >= count())
        return false;
    m_columns[static_cast<size_t>(position)].width = std::max(width, 0);
    return true;
}

// One write, so the file never holds half a layout.
bool ListColumns::save(SettingsFile& settings, const QString& section) const
{
    std::vector<std::pair<QString, qint32>> values{{CountKey, count()}};
    for (int position = 0; position < count(); ++position) {
        const ListColumn& column = m_columns[static_cast<size_t>(position)];
        values.emplace_back(positionKey(column.created), position);
        values.emplace_back(widthKey(column.created), column.width);
    }
    return settings.writeInts(section, values);
}

bool ListColumns::load(const SettingsFile& settings, const QString& section)
{
    if (count() == 0 || settings.readInt(section, CountKey, -1) != count())
        return false;
    std::vector<ListColumn> placed(m_columns.size());
    std::vector<bool> taken(m_columns.size(), false);
    for (const ListColumn& column : m_columns) {
        const int position = settings.readInt(section, positionKey(column.created), -1);
        if (position < 0 || position >= count() || taken[static_cast<size_t>(position)])
            return false;
        taken[static_cast<size_t>(position)] = true;
        ListColumn stored = column;
        stored.width = std::max(settings.readInt(section, widthKey(column.created), column.width), 0);
        placed[static_cast<size_t>(position)] = std::move(stored);
    }
    m_columns = std::move(placed);
    return true;
}
