#include "reports/ReportFilter.h"

#include "store/SortScope.h"
#include "store/TableSet.h"

#include <utility>

namespace {

const std::array<quint16, 3> ListIdProps = {Prop::AccountId, Prop::CategoryId, Prop::ProjectId};

DbTable& tableOf(TableSet& tables, ReportFilter::IdKind kind)
{
    switch (kind) {
    case ReportFilter::IdKind::Accounts:
        return tables.accounts();
    case ReportFilter::IdKind::Categories:
        return tables.categories();
    case ReportFilter::IdKind::Projects:
        break;
    }
    return tables.projects();
}

bool recordExists(DbTable& table, qint32 id)
{
    return table.seekInt(SeekKind::Equal, id);
}

// The first code of the Currency table in number order; "" without one.
QString firstCurrencyCode(DbTable& currencies)
{
    const SortScope scope(currencies, Prop::CurrencyNumber);
    if (!scope.ok() || !currencies.moveTo(0))
        return QString();
    return currencies.getText(Prop::CurrencyCode);
}

}  // namespace

ReportFilter::TableCounts ReportFilter::TableCounts::of(TableSet& tables)
{
    return {tables.transactions().count(), tables.accounts().count(), tables.categories().count(),
            tables.projects().count()};
}

ReportFilter::ReportFilter() = default;

void ReportFilter::initialise(TableSet& tables, const QString& savedCurrency, FileTime today)
{
    clearConditions();
    m_currency = savedCurrency.isEmpty() ? firstCurrencyCode(tables.currencies()) : savedCurrency;
    m_dateLow = startOfDay(today);
    m_dateHigh = endOfDay(today);
    m_counts = TableCounts::of(tables);
    m_initialised = true;
    m_changeCounter = 1;
}

void ReportFilter::setText(TextField field, const QString& text)
{
    QString upper = text.toUpper();
    if (upper == m_texts[index(field)])
        return;
    m_texts[index(field)] = std::move(upper);
    changed();
}

bool ReportFilter::amountActive() const
{
    return m_amountLow.hundredths() != DefaultAmountLow || m_amountHigh.hundredths() != DefaultAmountHigh;
}

void ReportFilter::setAmountRange(Money low, Money high)
{
    if (low > high)
        std::swap(low, high);
    if (low == m_amountLow && high == m_amountHigh)
        return;
    m_amountLow = low;
    m_amountHigh = high;
    changed();
}

void ReportFilter::clearAmount()
{
    setAmountRange(Money::fromHundredths(DefaultAmountLow), Money::fromHundredths(DefaultAmountHigh));
}

bool ReportFilter::markFlag(ReconcileMark mark) const
{
    const auto i = static_cast<size_t>(mark);
    return i < m_marks.size() && m_marks[i];
}

void ReportFilter::setMarkFlag(ReconcileMark mark, bool on)
{
    const auto i = static_cast<size_t>(mark);
    if (i >= m_marks.size() || m_marks[i] == on)
        return;
    m_marks[i] = on;
    changed();
}

void ReportFilter::setCurrency(const QString& code)
{
    if (code == m_currency)
        return;
    m_currency = code;
    changed();
}

void ReportFilter::setDateLow(FileTime date)
{
    const FileTime low = startOfDay(date);
    if (low == m_dateLow)
        return;
    m_dateLow = low;
    changed();
}

void ReportFilter::setDateHigh(FileTime date)
{
    const FileTime high = endOfDay(date);
    if (high == m_dateHigh)
        return;
    m_dateHigh = high;
    changed();
}

bool ReportFilter::addId(IdKind kind, qint32 id)
{
    const ReportIdList::AddResult result = m_lists[index(kind)].add(id);
    if (result == ReportIdList::AddResult::Added)
        changed();
    return result != ReportIdList::AddResult::Full;
}

void ReportFilter::removeId(IdKind kind, qint32 id)
{
    if (m_lists[index(kind)].remove(id))
        changed();
}

void ReportFilter::clearLists()
{
    if (!hasLists())
        return;
    for (ReportIdList& list : m_lists)
        list.clear();
    changed();
}

void ReportFilter::clearConditions()
{
    clearLists();
    for (const TextField field :
         {TextField::Description, TextField::Note, TextField::Contact, TextField::Number})
        clearText(field);
    clearAmount();
    for (const ReconcileMark mark :
         {ReconcileMark::Unreconciled, ReconcileMark::Cleared, ReconcileMark::Reconciled})
        setMarkFlag(mark, false);
}

bool ReportFilter::hasLists() const
{
    for (const ReportIdList& list : m_lists) {
        if (!list.isEmpty())
            return true;
    }
    return false;
}

bool ReportFilter::hasConditions() const
{
    if (hasLists() || amountActive())
        return true;
    for (const QString& text : m_texts) {
        if (!text.isEmpty())
            return true;
    }
    for (const bool flag : m_marks) {
        if (flag)
            return true;
    }
    return false;
}

void ReportFilter::refresh(TableSet& tables)
{
    m_counts = TableCounts::of(tables);
    for (const IdKind kind : {IdKind::Accounts, IdKind::Categories, IdKind::Projects}) {
        DbTable& table = tableOf(tables, kind);
        const SortScope scope(table, ListIdProps[index(kind)]);
        if (!scope.ok())
            continue;
        if (m_lists[index(kind)].retainIf([&table](qint32 id) { return recordExists(table, id); }) > 0)
            changed();
    }
}

bool ReportFilter::countsChanged(TableSet& tables) const
{
    return TableCounts::of(tables) != m_counts;
}

// The tests run in this order and the first that fails rejects; the currency
// fill-in comes after the cheap tests so that only transactions that could
// pass get written to.
bool ReportFilter::match(DbTable& transactions, DbTable& accounts)
{
    if (transactions.position() < 0)
        return false;
    const FileTime date = transactions.getInt64(Prop::Date);
    if (date < m_dateLow || date > m_dateHigh)
        return false;
    const qint32 account = transactions.getInt(Prop::AccountId);
    if (isReservedAccount(account) || !passesList(IdKind::Accounts, account))
        return false;
    if (!passesList(IdKind::Categories, transactions.getInt(Prop::CategoryId)) ||
        !passesList(IdKind::Projects, transactions.getInt(Prop::ProjectId)))
        return false;
    if (!passesTexts(transactions) || !passesAmount(transactions.getInt64(Prop::Amount)))
        return false;
    if (transactions.getText(Prop::CurrencyCode).isEmpty() && !fillInCurrency(transactions, accounts))
        return false;
    return passesMarks(transactions.getInt(Prop::Mark)) && passesNumber(transactions.getText(Prop::Number));
}

bool ReportFilter::passesList(IdKind kind, qint32 id) const
{
    const ReportIdList& list = m_lists[index(kind)];
    return list.isEmpty() || list.contains(id);
}

bool ReportFilter::passesTexts(const DbTable& transaction) const
{
    const std::pair<TextField, quint16> fields[] = {{TextField::Description, Prop::Name},
                                                    {TextField::Note, Prop::Note},
                                                    {TextField::Contact, Prop::Contact}};
    for (const auto& [field, prop] : fields) {
        const QString& wanted = text(field);
        if (!wanted.isEmpty() && !transaction.getText(prop).toUpper().contains(wanted))
            return false;
    }
    return true;
}

// A bound at its default is open: without it amounts beyond +/-559,999,999.99
// would drop out of every report, even one with no amount condition.
bool ReportFilter::passesAmount(qint64 amount) const
{
    const qint64 low = m_amountLow.hundredths();
    const qint64 high = m_amountHigh.hundredths();
    return (low == DefaultAmountLow || amount >= low) && (high == DefaultAmountHigh || amount <= high);
}

bool ReportFilter::passesMarks(qint32 mark) const
{
    if (!m_marks[0] && !m_marks[1] && !m_marks[2])
        return true;
    return mark >= 0 && mark <= 2 && m_marks[static_cast<size_t>(mark)];
}

// The whole number must equal the condition: "12" does not pass "123".
bool ReportFilter::passesNumber(const QString& number) const
{
    const QString& wanted = text(TextField::Number);
    return wanted.isEmpty() || number.toUpper() == wanted;
}

bool ReportFilter::fillInCurrency(DbTable& transaction, DbTable& accounts)
{
    const RecordId before = accounts.recordId();
    bool found = false;
    QString code;
    {
        const SortScope scope(accounts, Prop::AccountId);
        found = scope.ok() && accounts.seekInt(SeekKind::Equal, transaction.getInt(Prop::AccountId));
        if (found)
            code = accounts.getText(Prop::CurrencyCode);
    }
    if (before != 0)
        accounts.moveToRecord(before);
    if (!found)
        return false;
    // A failed write leaves the record as it was; the report then treats the
    // amount as unconverted rather than dropping it.
    if (!code.isEmpty())
        transaction.setText(Prop::CurrencyCode, code);
    return true;
}
