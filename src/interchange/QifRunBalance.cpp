#include "interchange/QifRunBalance.h"

#include <algorithm>

void QifRunBalance::add(const QString& key, Money amount)
{
    m_sums.push_back(m_sums.empty() ? amount : m_sums.back() + amount);
    m_keys.push_back(key);
}

Money QifRunBalance::before(const QString& key) const
{
    const auto it = std::lower_bound(m_keys.begin(), m_keys.end(), key);
    return it == m_keys.begin() ? Money() : m_sums[static_cast<size_t>(it - m_keys.begin()) - 1];
}
