#include "platform/SortIndex.h"

#include <algorithm>

namespace {

template <typename Entries, typename Value>
qint64 lowerBoundOf(const Entries& entries, const Value& value)
{
    auto it = std::lower_bound(entries.begin(), entries.end(), value,
                               [](const auto& entry, const Value& v) { return entry.first < v; });
    return it - entries.begin();
}

template <typename Entries, typename Value>
qint64 positionIn(const Entries& entries, const Value& value, RecordId record)
{
    auto target = std::make_pair(value, record);
    auto it = std::lower_bound(entries.begin(), entries.end(), target);
    if (it == entries.end() || *it != target)
        return -1;
    return it - entries.begin();
}

template <typename Entries, typename Value>
void insertInto(Entries& entries, Value value, RecordId record)
{
    auto target = std::make_pair(std::move(value), record);
    entries.insert(std::upper_bound(entries.begin(), entries.end(), target), std::move(target));
}

}  // namespace

SortIndex::Key SortIndex::keyOf(const PropList& props) const
{
    for (const PropValue& p : props) {
        if (p.id == m_spec.propId && p.type == m_spec.type)
            return Key{true, p.number, p.text};
    }
    return Key{};
}

RecordId SortIndex::at(qint64 position) const
{
    if (position < 0)
        return 0;
    const qint64 keyed = keyedSize();
    if (position < keyed)
        return isText() ? m_texts[static_cast<size_t>(position)].second
                        : m_numbers[static_cast<size_t>(position)].second;
    position -= keyed;
    if (position < static_cast<qint64>(m_missing.size()))
        return m_missing[static_cast<size_t>(position)];
    return 0;
}

qint64 SortIndex::positionOf(const Key& key, RecordId record) const
{
    if (!key.present) {
        auto it = std::lower_bound(m_missing.begin(), m_missing.end(), record);
        if (it == m_missing.end() || *it != record)
            return -1;
        return keyedSize() + (it - m_missing.begin());
    }
    return isText() ? positionIn(m_texts, key.text, record) : positionIn(m_numbers, key.number, record);
}

qint64 SortIndex::lowerBound(const PropValue& value) const
{
    return isText() ? lowerBoundOf(m_texts, value.text) : lowerBoundOf(m_numbers, value.number);
}

bool SortIndex::keyAtEquals(qint64 position, const PropValue& value) const
{
    if (position < 0 || position >= keyedSize())
        return false;
    const auto i = static_cast<size_t>(position);
    return isText() ? m_texts[i].first == value.text : m_numbers[i].first == value.number;
}

qint64 SortIndex::seek(SeekKind kind, const PropValue& value) const
{
    if (value.type != m_spec.type)
        return -1;
    const qint64 first = lowerBound(value);
    switch (kind) {
    case SeekKind::Equal:
        return keyAtEquals(first, value) ? first : -1;
    case SeekKind::Smaller:
        return first - 1;  // -1 when nothing is smaller
    case SeekKind::NotLess:
        return first < keyedSize() ? first : -1;
    }
    return -1;
}

void SortIndex::insert(const Key& key, RecordId record)
{
    if (!key.present) {
        m_missing.insert(std::upper_bound(m_missing.begin(), m_missing.end(), record), record);
    } else if (isText()) {
        insertInto(m_texts, key.text, record);
    } else {
        insertInto(m_numbers, key.number, record);
    }
}

bool SortIndex::erase(const Key& key, RecordId record)
{
    const qint64 position = positionOf(key, record);
    if (position < 0)
        return false;
    const qint64 keyed = keyedSize();
    if (position >= keyed)
        m_missing.erase(m_missing.begin() + (position - keyed));
    else if (isText())
        m_texts.erase(m_texts.begin() + position);
    else
        m_numbers.erase(m_numbers.begin() + position);
    return true;
}

void SortIndex::reserve(qint64 keyed)
{
    if (isText())
        m_texts.reserve(static_cast<size_t>(keyed));
    else
        m_numbers.reserve(static_cast<size_t>(keyed));
}
