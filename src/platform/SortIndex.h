#pragma once

// One sort order of a database, held in memory: every record id in sort
// position order, so a position and a seek are reached in O(log n), and an
// insert or erase moves no more than a chunk of entries.
//
// Invariant: the records that have the sort property come first, ordered by
// (value, record id); the records lacking it follow, ordered by record id.
// Text values compare by UTF-16 code unit (QString's own order).

#include "platform/ChunkedOrder.h"
#include "platform/StoreTypes.h"

#include <utility>
#include <vector>

class SortIndex {
public:
    // A record's value in this sort order; `present` false when it lacks the property.
    struct Key {
        bool present = false;
        qint64 number = 0;
        QString text;
    };

    explicit SortIndex(SortSpec spec) : m_spec(spec) {}

    const SortSpec& spec() const { return m_spec; }
    bool isText() const { return m_spec.type == PropType::Text; }
    Key keyOf(const PropList& props) const;

    qint64 size() const { return keyedSize() + m_missing.size(); }
    // 0 when the position is out of range.
    RecordId at(qint64 position) const;
    // -1 when the record is not held under that key.
    qint64 positionOf(const Key& key, RecordId record) const;
    // -1 when no record qualifies; the value's type must be the sort's type.
    qint64 seek(SeekKind kind, const PropValue& value) const;

    void insert(const Key& key, RecordId record);
    bool erase(const Key& key, RecordId record);

    // Bulk loading in sorted order (from the store's own index).
    void appendNumber(qint64 value, RecordId record) { m_numbers.pushBack({value, record}); }
    void appendText(QString value, RecordId record) { m_texts.pushBack({std::move(value), record}); }
    void appendMissing(RecordId record) { m_missing.pushBack(record); }

private:
    qint64 keyedSize() const { return isText() ? m_texts.size() : m_numbers.size(); }
    qint64 lowerBound(const PropValue& value) const;
    bool keyAtEquals(qint64 position, const PropValue& value) const;

    SortSpec m_spec;
    ChunkedOrder<std::pair<qint64, RecordId>> m_numbers;
    ChunkedOrder<std::pair<QString, RecordId>> m_texts;
    ChunkedOrder<RecordId> m_missing;
};
