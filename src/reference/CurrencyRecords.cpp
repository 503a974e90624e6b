#include "reference/CurrencyRecords.h"

#include "platform/StoreTransaction.h"
#include "reference/BuiltInCurrencies.h"
#include "reference/RateText.h"
#include "store/RecordLayout.h"

#include <algorithm>

namespace {

// Puts the cursor into currency-number order for the life of the object and
// back into the order it had afterwards. DbTable keeps a single saved sort that
// a caller may be using, so this one remembers the order itself.
class NumberOrder {
public:
    explicit NumberOrder(DbTable& table)
        : m_table(table), m_wasOpen(table.isOpen()), m_id(table.sortId()), m_kind(table.sortKind())
    {
        m_ready = alreadyThere() || m_table.resortByInteger(Prop::CurrencyNumber);
    }
    ~NumberOrder() { restore(); }
    NumberOrder(const NumberOrder&) = delete;
    NumberOrder& operator=(const NumberOrder&) = delete;

    bool ready() const { return m_ready; }

private:
    bool alreadyThere() const
    {
        return m_wasOpen && m_kind == DbTable::SortKind::Integer && m_id == Prop::CurrencyNumber;
    }

    void restore()
    {
        if (alreadyThere())
            return;
        if (!m_wasOpen) {
            m_table.close();
            return;
        }
        switch (m_kind) {
        case DbTable::SortKind::None:
            m_table.open();
            break;
        case DbTable::SortKind::Integer:
            m_table.resortByInteger(m_id);
            break;
        case DbTable::SortKind::Text:
            m_table.resortByText(m_id);
            break;
        case DbTable::SortKind::Date:
        case DbTable::SortKind::DateTime:
            m_table.resortByDate(m_id);
            break;
        }
    }

    DbTable& m_table;
    bool m_wasOpen;
    quint16 m_id;
    DbTable::SortKind m_kind;
    bool m_ready = false;
};

CurrencyRecord currentRecord(const DbTable& table)
{
    CurrencyRecord record;
    record.number = table.getInt(Prop::CurrencyNumber);
    record.code = table.getText(Prop::CurrencyCode);
    record.symbol = table.getText(Prop::Symbol);
    record.name = table.getText(Prop::CurrencyName);
    for (const PropValue& p : table.properties()) {
        const auto other = Prop::currencyOfRate(p.id);
        if (other && p.type == Prop::CurrencyRateType)
            record.rateTexts[*other] = p.text;
    }
    return record;
}

bool isAllowedNumber(qint64 number)
{
    return number >= 1 && number <= Prop::MaxCurrencyNumber;
}

}  // namespace

std::optional<std::vector<CurrencyRecord>> CurrencyRecords::readAll()
{
    NumberOrder order(m_table);
    if (!order.ready())
        return std::nullopt;
    std::vector<CurrencyRecord> records;
    const qint64 n = m_table.count();
    records.reserve(static_cast<size_t>(n));
    for (qint64 i = 0; i < n; ++i) {
        if (!m_table.moveTo(i))
            return std::nullopt;
        records.push_back(currentRecord(m_table));
    }
    return records;
}

qint32 CurrencyRecords::registerCurrency(const QString& code, const QString& symbol, const QString& name)
{
    const auto records = readAll();
    if (!records)
        return 0;
    const QString upper = code.toUpper();
    qint32 highest = 0;
    for (const CurrencyRecord& r : *records) {
        if (r.code.compare(upper, Qt::CaseInsensitive) == 0) {
            NumberOrder order(m_table);
            StoreTransaction transaction(*m_table.store());
            const bool written = order.ready() && transaction.isOpen() && moveToNumber(r.number) &&
                                 (r.code == upper || writeText(Prop::CurrencyCode, upper)) &&
                                 writeText(Prop::Symbol, symbol) && writeText(Prop::CurrencyName, name);
            return written && transaction.commit() ? r.number : 0;
        }
        highest = std::max(highest, r.number);
    }
    const qint64 number = static_cast<qint64>(highest) + 1;
    if (!isAllowedNumber(number))
        return 0;
    NumberOrder order(m_table);
    if (!order.ready())
        return 0;
    m_table.beginNew();
    m_table.setInt(Prop::CurrencyNumber, static_cast<qint32>(number));
    m_table.setText(Prop::CurrencyCode, upper);
    m_table.setText(Prop::Symbol, symbol);
    return m_table.setText(Prop::CurrencyName, name, true) ? static_cast<qint32>(number) : 0;
}

bool CurrencyRecords::setSymbol(qint32 number, const QString& symbol)
{
    NumberOrder order(m_table);
    return order.ready() && moveToNumber(number) && writeText(Prop::Symbol, symbol);
}

bool CurrencyRecords::writeRatePair(qint32 from, qint32 to, double rate)
{
    if (!isUsableRate(rate) || from == to || !isAllowedNumber(from) || !isAllowedNumber(to))
        return false;
    NumberOrder order(m_table);
    if (!order.ready() || !m_table.store())
        return false;
    StoreTransaction transaction(*m_table.store());
    const bool written = transaction.isOpen() && moveToNumber(from) &&
                         writeText(Prop::currencyRateTo(to), rateText(rate)) && moveToNumber(to) &&
                         writeText(Prop::currencyRateTo(from), rateText(1.0 / rate));
    return written && transaction.commit();
}

bool CurrencyRecords::normalise()
{
    NumberOrder order(m_table);
    if (!order.ready() || !m_table.store())
        return false;
    StoreTransaction transaction(*m_table.store());
    if (!transaction.isOpen())
        return false;
    const qint64 n = m_table.count();
    for (qint64 i = 0; i < n; ++i) {
        if (!m_table.moveTo(i) || !normaliseCurrent())
            return false;
    }
    return transaction.commit();
}

bool CurrencyRecords::normaliseCurrent()
{
    const QString code = m_table.getText(Prop::CurrencyCode);
    const QString upper = code.toUpper();
    if (upper != code && !writeText(Prop::CurrencyCode, upper))
        return false;
    const auto builtInName = BuiltInCurrencies::repairName(upper);
    if (builtInName && *builtInName != m_table.getText(Prop::CurrencyName))
        return writeText(Prop::CurrencyName, *builtInName);
    return true;
}

bool CurrencyRecords::moveToNumber(qint32 number)
{
    return m_table.seekInt(SeekKind::Equal, number);
}

bool CurrencyRecords::writeText(quint16 id, const QString& value)
{
    return m_table.setText(id, value);
}
