#include "reference/CurrencyCache.h"

#include "reference/BuiltInCurrencies.h"
#include "reference/RateText.h"

#include <algorithm>

namespace {

// The rate of one unit of the later record's currency in units of the
// earlier's. Each record keeps its side with five decimals, so only the side
// of 1 or more carries the typed rate's significant digits (15600.00000
// against 0.00006): that side decides and the other is its inverse. When
// neither is 1 or more, the later record's text decides, else the reciprocal
// of the earlier's, else 1.
double pairRate(QStringView laterText, QStringView earlierText)
{
    const auto own = storedRate(laterText);
    const auto reverse = storedRate(earlierText);
    if (own && *own >= 1.0)
        return *own;
    if (reverse && *reverse >= 1.0)
        return 1.0 / *reverse;
    if (own)
        return *own;
    if (reverse)
        return 1.0 / *reverse;
    return 1.0;
}

double pairRate(const CurrencyRecord& later, const CurrencyRecord& earlier)
{
    const auto text = [](const CurrencyRecord& r, qint32 other) {
        const auto it = r.rateTexts.find(other);
        return it == r.rateTexts.end() ? QString() : it->second;
    };
    return pairRate(text(later, earlier.number), text(earlier, later.number));
}

}  // namespace

CurrencyCache::CurrencyCache(DbTable& currencies) : m_table(currencies)
{
}

void CurrencyCache::clear()
{
    m_entries.clear();
    m_rates.clear();
}

bool CurrencyCache::reload()
{
    clear();
    ++m_reloads;
    const auto records = CurrencyRecords(m_table).readAll();
    if (!records)
        return false;
    for (const CurrencyRecord& r : *records)
        m_entries.push_back({r.number, r.code, r.symbol, r.name});
    buildMatrix(*records);
    return true;
}

void CurrencyCache::buildMatrix(const std::vector<CurrencyRecord>& records)
{
    const int n = size();
    m_rates.assign(static_cast<size_t>(n) * static_cast<size_t>(n), 1.0);
    for (int i = 0; i < n; ++i) {
        for (int j = 0; j < i; ++j) {
            const double r = pairRate(records[static_cast<size_t>(i)], records[static_cast<size_t>(j)]);
            at(i, j) = r;
            at(j, i) = 1.0 / r;
        }
    }
}

int CurrencyCache::indexOf(QStringView code) const
{
    for (size_t i = 0; i < m_entries.size(); ++i) {
        if (m_entries[i].code == code)
            return static_cast<int>(i);
    }
    return -1;
}

QString CurrencyCache::displayText(int i) const
{
    if (i < 0 || i >= size())
        return {};
    const CachedCurrency& c = m_entries[static_cast<size_t>(i)];
    return currencyDisplayText(c.name, c.code);
}

double CurrencyCache::rateAt(int i, int j) const
{
    if (i < 0 || j < 0 || i >= size() || j >= size())
        return 1.0;
    return m_rates[static_cast<size_t>(i) * m_entries.size() + static_cast<size_t>(j)];
}

double CurrencyCache::rate(QStringView from, QStringView to) const
{
    if (from == to)
        return 1.0;
    return rateAt(indexOf(from), indexOf(to));
}

Money CurrencyCache::convert(Money amount, QStringView from, QStringView to) const
{
    return convertHalfAwayFromZero(amount, rate(from, to));
}

Money CurrencyCache::convertedSum(std::span<const CurrencyAmount> amounts, QStringView to) const
{
    Money total;
    for (const CurrencyAmount& a : amounts)
        total += convert(a.amount, a.code, to);
    return total;
}

QString CurrencyCache::symbolOf(QStringView code) const
{
    const int i = indexOf(code);
    return i < 0 ? QString() : m_entries[static_cast<size_t>(i)].symbol;
}

QString CurrencyCache::amountText(Money amount, QStringView code, const LocaleValues& locale) const
{
    return moneyTextWithSymbol(amount, symbolOf(code), locale);
}

bool CurrencyCache::storeRate(QStringView from, QStringView to, double rate)
{
    const int i = indexOf(from);
    const int j = indexOf(to);
    if (i < 0 || j < 0 || i == j || !isUsableRate(rate))
        return false;
    const qint32 fromNumber = m_entries[static_cast<size_t>(i)].number;
    const qint32 toNumber = m_entries[static_cast<size_t>(j)].number;
    if (!CurrencyRecords(m_table).writeRatePair(fromNumber, toNumber, rate))
        return false;
    // The pair as a reload reads it back from the texts just written, so the
    // cache never converts at a rate the table does not hold (amounts kept
    // from a conversion would otherwise change at the next start).
    const QString fromText = rateText(rate);      // in `from`'s record
    const QString toText = rateText(1.0 / rate);  // in `to`'s record
    const int later = std::max(i, j);
    const int earlier = std::min(i, j);
    at(later, earlier) = later == i ? pairRate(fromText, toText) : pairRate(toText, fromText);
    at(earlier, later) = 1.0 / at(later, earlier);
    if (m_rateListener)
        m_rateListener();
    return true;
}

qint32 CurrencyCache::registerCurrency(const QString& code, const QString& symbol, const QString& name)
{
    const qint32 number = CurrencyRecords(m_table).registerCurrency(code, symbol, name);
    reload();
    return number;
}

bool CurrencyCache::setSymbol(QStringView code, const QString& symbol)
{
    const int i = indexOf(code);
    if (i < 0)
        return false;
    const bool written = CurrencyRecords(m_table).setSymbol(m_entries[static_cast<size_t>(i)].number, symbol);
    reload();
    return written;
}
