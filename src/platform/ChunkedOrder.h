#pragma once

// A sorted sequence reached by position, kept in chunks of a few hundred
// entries with the position each chunk starts at. A flat vector reaches a
// position just as fast, but an insert in front of a million entries moves
// all of them; here it moves the entries of one chunk and counts up the
// starts of the chunks after it.
//
// Entries are ordered by operator<; an insert goes after every entry that is
// not greater than it.

#include <QtGlobal>

#include <algorithm>
#include <iterator>
#include <vector>

template <typename Entry> class ChunkedOrder {
public:
    qint64 size() const { return m_size; }

    // `position` must be within 0..size()-1.
    const Entry& operator[](qint64 position) const
    {
        const size_t c = chunkAt(position);
        return m_chunks[c][static_cast<size_t>(position - m_starts[c])];
    }

    // The first position whose entry is not less than `value`, by
    // less(entry, value); size() when there is none.
    template <typename Value, typename Less> qint64 lowerBound(const Value& value, Less less) const
    {
        const auto chunk =
            std::partition_point(m_chunks.begin(), m_chunks.end(),
                                 [&](const std::vector<Entry>& c) { return less(c.back(), value); });
        if (chunk == m_chunks.end())
            return m_size;
        const auto in = std::partition_point(chunk->begin(), chunk->end(),
                                             [&](const Entry& e) { return less(e, value); });
        return m_starts[static_cast<size_t>(chunk - m_chunks.begin())] + (in - chunk->begin());
    }

    void insert(Entry entry)
    {
        if (m_chunks.empty()) {
            pushBack(std::move(entry));
            return;
        }
        auto chunk = std::partition_point(m_chunks.begin(), m_chunks.end(),
                                          [&](const std::vector<Entry>& c) { return !(entry < c.back()); });
        if (chunk == m_chunks.end())
            --chunk;
        const auto c = static_cast<size_t>(chunk - m_chunks.begin());
        chunk->insert(std::upper_bound(chunk->begin(), chunk->end(), entry), std::move(entry));
        ++m_size;
        for (size_t k = c + 1; k < m_starts.size(); ++k)
            ++m_starts[k];
        if (chunk->size() > 2 * ChunkSize)
            split(c);
    }

    // `position` must be within 0..size()-1.
    void eraseAt(qint64 position)
    {
        const size_t c = chunkAt(position);
        std::vector<Entry>& chunk = m_chunks[c];
        chunk.erase(chunk.begin() + (position - m_starts[c]));
        --m_size;
        for (size_t k = c + 1; k < m_starts.size(); ++k)
            --m_starts[k];
        if (chunk.empty()) {
            m_chunks.erase(m_chunks.begin() + static_cast<qint64>(c));
            m_starts.erase(m_starts.begin() + static_cast<qint64>(c));
        }
    }

    // Bulk loading: `entry` must not be less than the last one.
    void pushBack(Entry entry)
    {
        if (m_chunks.empty() || m_chunks.back().size() >= ChunkSize) {
            m_starts.push_back(m_size);
            m_chunks.emplace_back();
            m_chunks.back().reserve(ChunkSize);
        }
        m_chunks.back().push_back(std::move(entry));
        ++m_size;
    }

private:
    static constexpr size_t ChunkSize = 512;

    bool chunkHolds(size_t c, qint64 position) const
    {
        return c < m_chunks.size() && m_starts[c] <= position &&
               position < m_starts[c] + static_cast<qint64>(m_chunks[c].size());
    }

    // A walk through the positions stays in one chunk, then the next, so the
    // last chunk found is tried first.
    size_t chunkAt(qint64 position) const
    {
        if (chunkHolds(m_lastChunk, position))
            return m_lastChunk;
        if (chunkHolds(m_lastChunk + 1, position))
            return ++m_lastChunk;
        m_lastChunk = static_cast<size_t>(std::upper_bound(m_starts.begin(), m_starts.end(), position) -
                                          m_starts.begin()) -
                      1;
        return m_lastChunk;
    }

    void split(size_t c)
    {
        std::vector<Entry>& chunk = m_chunks[c];
        std::vector<Entry> tail(std::make_move_iterator(chunk.begin() + ChunkSize),
                                std::make_move_iterator(chunk.end()));
        chunk.erase(chunk.begin() + ChunkSize, chunk.end());
        const qint64 tailStart = m_starts[c] + static_cast<qint64>(ChunkSize);
        m_chunks.insert(m_chunks.begin() + static_cast<qint64>(c) + 1, std::move(tail));
        m_starts.insert(m_starts.begin() + static_cast<qint64>(c) + 1, tailStart);
    }

    std::vector<std::vector<Entry>> m_chunks;  // never an empty one
    std::vector<qint64> m_starts;              // the position of each chunk's first entry
    qint64 m_size = 0;
    mutable size_t m_lastChunk = 0;
};
