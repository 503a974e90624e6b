#include "reports/ReportIdList.h"

ReportIdList::AddResult ReportIdList::add(qint32 id)
{
    if (contains(id))
        return AddResult::AlreadyPresent;
    if (size() >= MaxIds)
        return AddResult::Full;
    m_slot.insert(id, size());
    m_ids.push_back(id);
    return AddResult::Added;
}

bool ReportIdList::remove(qint32 id)
{
    const auto found = m_slot.constFind(id);
    if (found == m_slot.constEnd())
        return false;
    removeAt(found.value());
    return true;
}

void ReportIdList::removeAt(qsizetype index)
{
    const auto slot = static_cast<size_t>(index);
    m_slot.remove(m_ids[slot]);
    const qint32 last = m_ids.back();
    m_ids.pop_back();
    if (slot < m_ids.size()) {
        m_ids[slot] = last;
        m_slot.insert(last, index);
    }
}

void ReportIdList::clear()
{
    m_ids.clear();
    m_slot.clear();
}

qsizetype ReportIdList::retainIf(const std::function<bool(qint32)>& keep)
{
    qsizetype removed = 0;
    // From the end, so the id moved into a freed slot has already been judged.
    for (qsizetype i = size() - 1; i >= 0; --i) {
        if (!keep(m_ids[static_cast<size_t>(i)])) {
            removeAt(i);
            ++removed;
        }
    }
    return removed;
}
