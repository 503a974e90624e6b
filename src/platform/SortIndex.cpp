#include "platform/SortIndex.h"

#include <algorithm>

namespace {

template <typename Entries, typename Value> qint64 lowerBoundOf(const Entries& entries, const Value& value)
{
    return entries.lowerBound(value, [](const auto& entry, const Value& v) { return entry.first < v; });
}

template <typename Entries, typename Value>
qint64 positionIn(const Entries& entries, const Value& value, RecordId record)
{
    const auto target = std::make_pair(value, record);
    const qint64 position =
        entries.lowerBound(target, [](const auto& entry, const auto& t) { return entry < t; });
    if (position == entries.size() || entries[position] != target)
        return -1;
    return position;
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
        return isText() ? m_texts[position].second : m_numbers[position].second;
    position -= keyed;
    if (position < m_missing.size())
        return m_missing[position];
    return 0;
}

qint64 SortIndex::positionOf(const Key& key, RecordId record) const
{
    if (!key.present) {
        const qint64 position = m_missing.lowerBound(record, [](RecordId e, RecordId r) { return e < r; });
        if (position == m_missing.size() || m_missing[position] != record)
            return -1;
        return keyedSize() + position;
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
    return isText() ? m_texts[position].first == value.text : m_numbers[position].first == value.number;
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
    if (!key.present)
        m_missing.insert(record);
    else if (isText())
        m_texts.insert({key.text, record});
    else
        m_numbers.insert({key.number, record});
}

bool SortIndex::erase(const Key& key, RecordId record)
{
    const qint64 position = positionOf(key, record);
    if (position < 0)
        return false;
    const qint64 keyed = keyedSize();
    if (position >= keyed)
        m_missing.eraseAt(position - keyed);
    else if (isText())
        m_texts.eraseAt(position);
    else
        m_numbers.eraseAt(position);
    return true;
}
