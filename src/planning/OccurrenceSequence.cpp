#include "planning/OccurrenceSequence.h"

#include "planning/RecurrenceRule.h"

#include <limits>

OccurrenceSequence::OccurrenceSequence(qint32 kind, FileTime start, qint32 entries, qint64 first)
    : m_kind(kind), m_start(start), m_limit(RecurrenceRule::occurrenceLimit(kind, entries)),
      m_index(first < 0 ? 0 : first)  // a damaged negative count starts afresh
{
}

std::optional<Occurrence> OccurrenceSequence::next()
{
    if (m_ended || (m_limit && m_index >= *m_limit) || m_index == std::numeric_limits<qint64>::max()) {
        m_ended = true;
        return std::nullopt;
    }
    const auto date = RecurrenceRule::occurrenceDate(m_kind, m_start, m_index);
    if (!date || (m_previous && *date <= *m_previous)) {
        m_ended = true;
        return std::nullopt;
    }
    m_previous = date;
    return Occurrence{m_index++, *date};
}
