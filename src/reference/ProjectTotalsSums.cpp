#include "reference/ProjectTotalsSums.h"

#include "store/RecordLayout.h"

ProjectTotalsSums::ProjectTotalsSums(const CurrencyCache& currencies)
    : m_currencies(&currencies), m_byEntry(static_cast<size_t>(currencies.size()))
{
}

int ProjectTotalsSums::entryOf(QStringView code)
{
    if (m_lastEntry < 0 || m_lastCode != code) {
        m_lastCode = code.toString();
        m_lastEntry = m_currencies->indexOf(code);
    }
    return m_lastEntry;
}

void ProjectTotalsSums::add(Money amount, QStringView code)
{
    const int entry = entryOf(code);
    Pair& pair = entry >= 0 ? m_byEntry[static_cast<size_t>(entry)] : m_uncached;
    if (amount.isNegative())
        pair.payments -= amount;
    else
        pair.deposits += amount;
}

Money ProjectTotalsSums::converted(Money Pair::*side, QStringView defaultCode) const
{
    Money total = m_uncached.*side;
    const auto& entries = m_currencies->entries();
    for (size_t i = 0; i < m_byEntry.size(); ++i) {
        const Money sum = m_byEntry[i].*side;
        if (!sum.isZero())
            total += m_currencies->convert(sum, entries[i].code, defaultCode);
    }
    return total;
}

Money ProjectTotalsSums::ownDeposits(QStringView defaultCode) const
{
    return converted(&Pair::deposits, defaultCode);
}

Money ProjectTotalsSums::ownPayments(QStringView defaultCode) const
{
    return converted(&Pair::payments, defaultCode);
}

PropList ProjectTotalsSums::currencyFields() const
{
    PropList fields;
    const auto& entries = m_currencies->entries();
    for (size_t i = 0; i < m_byEntry.size(); ++i) {
        const int number = entries[i].number;
        if (!Prop::isValidCurrencyNumber(number))
            continue;
        if (!m_byEntry[i].deposits.isZero())
            fields.push_back(
                PropValue::ofInt64(Prop::projectDepositsIn(number), m_byEntry[i].deposits.hundredths()));
        if (!m_byEntry[i].payments.isZero())
            fields.push_back(
                PropValue::ofInt64(Prop::projectPaymentsIn(number), m_byEntry[i].payments.hundredths()));
    }
    return fields;
}
