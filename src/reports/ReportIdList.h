#pragma once

// One of the report filter's id lists (accounts, categories or projects).
//
// Invariants:
//  1. No id appears twice.
//  2. m_slot maps every held id to its index in m_ids, so membership and
//     removal cost O(1) however long the list grows.
//  3. Removing an id moves the last id into the freed slot: the order of the
//     others is kept only up to that move.
//  4. The list never holds more than MaxIds ids; a filter file cannot make it
//     allocate beyond that.

#include <QHash>
#include <QtGlobal>

#include <functional>
#include <vector>

class ReportIdList {
public:
    // Far above any real book (a million accounts, categories or projects);
    // only there to bound what a damaged filter file can allocate.
    static constexpr qsizetype MaxIds = 1'000'000;

    enum class AddResult { Added, AlreadyPresent, Full };

    AddResult add(qint32 id);
    // False when the id was not in the list.
    bool remove(qint32 id);
    void clear();

    bool contains(qint32 id) const { return m_slot.contains(id); }
    bool isEmpty() const { return m_ids.empty(); }
    qsizetype size() const { return static_cast<qsizetype>(m_ids.size()); }
    // In list order: the order the ids were added, as changed by removals.
    const std::vector<qint32>& ids() const { return m_ids; }

    // Removes, by the removal rule, every id that `keep` refuses. Returns how
    // many were removed.
    qsizetype retainIf(const std::function<bool(qint32)>& keep);

private:
    void removeAt(qsizetype index);

    std::vector<qint32> m_ids;
    QHash<qint32, qsizetype> m_slot;
};
