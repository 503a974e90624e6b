#pragma once

// The stored currencies in memory, with the rate between every pair.
//
// Invariants:
//  1. The entries are the Currency table's records in table order (by number)
//     as of the last reload; n entries and an n x n rate matrix R.
//  2. R[i][i] = 1 and R[j][i] = 1 / R[i][j]; every rate is finite and above 0.
//  3. Of a stored pair, the text of 1 or more decides (it holds the typed
//     rate's significant digits; the other side is only its rounded inverse),
//     the later record's when both are. When neither is, the later record's
//     text decides, else the earlier record's reciprocal; when both are
//     unusable (0, negative, empty) the rate is 1.
//  4. reloadCount() increases with every reload, successful or not.

#include "reference/CurrencyRecords.h"
#include "store/DbTable.h"
#include "store/Money.h"

#include <QString>
#include <QStringView>

#include <functional>
#include <span>
#include <vector>

struct CachedCurrency {
    qint32 number = 0;
    QString code;
    QString symbol;
    QString name;
};

// An amount in the currency of the given code, as summed by convertedSum.
struct CurrencyAmount {
    Money amount;
    QString code;
};

class CurrencyCache {
public:
    // The cursor over the Currency table; owned by the caller, must outlive the cache.
    explicit CurrencyCache(DbTable& currencies);

    // Empties the cache and loads it from the table. False when the table could
    // not be read; the cache is empty then.
    bool reload();
    void clear();
    quint64 reloadCount() const { return m_reloads; }

    bool isEmpty() const { return m_entries.empty(); }
    int size() const { return static_cast<int>(m_entries.size()); }
    const std::vector<CachedCurrency>& entries() const { return m_entries; }
    // The entry's index in table order; -1 for a code the cache does not hold.
    int indexOf(QStringView code) const;
    bool contains(QStringView code) const { return indexOf(code) >= 0; }
    // name (code) of entry i; "" outside the entries.
    QString displayText(int i) const;

    // R[i][j]: units of currency j for one unit of currency i; 1 outside the matrix.
    double rateAt(int i, int j) const;
    // 1 for equal codes, an empty cache or a code the cache does not hold.
    double rate(QStringView from, QStringView to) const;
    // amount x rate(from, to), rounded half away from zero, saturating.
    Money convert(Money amount, QStringView from, QStringView to) const;
    // Each amount converted on its own, the rounded results added with saturation.
    Money convertedSum(std::span<const CurrencyAmount> amounts, QStringView to) const;

    // "" for a code the cache does not hold.
    QString symbolOf(QStringView code) const;
    // The amount with the currency's symbol (LocaleValues decides the side); the
    // bare amount for a code the cache does not hold.
    QString amountText(Money amount, QStringView code, const LocaleValues& locale) const;

    // Sets R[from][to] = rate and R[to][from] = 1 / rate and writes both rate
    // texts. Refused (false, nothing changes) for a rate that is not usable
    // (isUsableRate: not finite, 0 or below), for equal or uncached codes, and
    // when the write fails.
    bool storeRate(QStringView from, QStringView to, double rate);
    // Called after storeRate() changed a rate: whatever was converted at the
    // old rate and kept (the project totals) is out of date from then on.
    void setRateListener(std::function<void()> listener) { m_rateListener = std::move(listener); }

    // Registers the currency in the table (see CurrencyRecords) and reloads.
    // The number, 0 when the write failed.
    qint32 registerCurrency(const QString& code, const QString& symbol, const QString& name);
    // Writes the symbol of the cached currency and reloads. False for an
    // uncached code or a failed write.
    bool setSymbol(QStringView code, const QString& symbol);

private:
    void buildMatrix(const std::vector<CurrencyRecord>& records);
    double& at(int i, int j)
    {
        return m_rates[static_cast<size_t>(i) * m_entries.size() + static_cast<size_t>(j)];
    }

    DbTable& m_table;
    std::vector<CachedCurrency> m_entries;
    std::vector<double> m_rates;  // row-major n x n
    quint64 m_reloads = 0;
    std::function<void()> m_rateListener;
};
