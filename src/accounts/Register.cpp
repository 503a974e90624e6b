#include "accounts/Register.h"

#include "accounts/AccountList.h"
#include "planning/FutureList.h"
#include "planning/PlannerEntry.h"
#include "platform/StoreTransaction.h"
#include "store/DateText.h"
#include "store/SortScope.h"

#include <algorithm>

Register::Register(TableSet& tables, const CurrencyCache& currencies, const LocaleValues& locale)
    : m_tables(tables), m_currencies(currencies), m_locale(locale)
{
}

Register::Register(TableSet& tables, const CurrencyCache& currencies, const LocaleValues& locale,
                   FutureList& future)
    : m_tables(tables), m_currencies(currencies), m_locale(locale), m_future(&future)
{
}

bool Register::select(qint32 account)
{
    const std::optional<AccountRecord> record = AccountList(m_tables.accounts()).find(account);
    if (!record)
        return false;
    ++m_changes;
    m_account = record->id;
    m_name = record->name;
    m_currency = record->currency;
    m_total = record->total;
    DbTable& t = m_tables.transactions();
    SortScope scope(t, Prop::AccountKey, DbTable::SortKind::Text);
    m_run = scope.ok() ? AccountRun::locate(t, m_account) : AccountRun{};
    m_futureCount = m_future ? std::max<qint64>(m_future->count(), 0) : 0;
    return true;
}

bool Register::refresh()
{
    if (m_account == 0)
        return false;
    if (select(m_account))
        return true;
    ++m_changes;
    m_account = 0;
    m_run = {};
    m_futureCount = 0;
    return false;
}

Register::RowKind Register::rowKind(qint64 row) const
{
    if (m_account == 0 || row < 0 || row >= rowCount())
        return RowKind::Outside;
    if (row < m_run.count)
        return RowKind::Transaction;
    return row == m_run.count ? RowKind::NewTransaction : RowKind::Future;
}

RegisterEntry Register::read(const DbTable& t)
{
    return TransactionRecord::read(t);
}

std::optional<RegisterEntry> Register::entry(qint64 row)
{
    if (rowKind(row) != RowKind::Transaction)
        return std::nullopt;
    DbTable& t = m_tables.transactions();
    SortScope scope(t, Prop::AccountKey, DbTable::SortKind::Text);
    if (!scope.ok() || !t.moveTo(positionOf(row)) || t.getInt(Prop::AccountId) != m_account)
        return std::nullopt;
    return read(t);
}

std::optional<FutureEntry> Register::futureEntry(qint64 row)
{
    if (rowKind(row) != RowKind::Future || !m_future)
        return std::nullopt;
    return m_future->entryAt(futurePositionOf(row));
}

QString Register::moneyText(Money amount) const
{
    return m_currencies.amountText(amount, m_currency, m_locale);
}

QString Register::plannerNumber(qint32 plannerId)
{
    DbTable& planner = m_tables.planner();
    SortScope scope(planner, Prop::PlannerId);
    if (!scope.ok())
        return {};
    const std::optional<PlannerEntry> plan = PlannerEntry::find(planner, plannerId);
    return plan ? plan->number : QString();
}

RegisterCells Register::cells(qint64 row, FileTime now)
{
    RegisterCells c;
    switch (rowKind(row)) {
    case RowKind::Transaction:
        if (const std::optional<RegisterEntry> e = entry(row))
            c = transactionCells(*e);
        break;
    case RowKind::NewTransaction:
        c = newRowCells(now);
        break;
    case RowKind::Future:
        if (const std::optional<FutureEntry> e = futureEntry(row))
            c = futureCells(*e, now);
        break;
    case RowKind::Outside:
        break;
    }
    c.style.band = row % 2 == 0;
    return c;
}

RegisterCells Register::transactionCells(const RegisterEntry& e) const
{
    RegisterCells c;
    c.icon = e.mark == ReconcileMark::Reconciled ? RegisterCells::Icon::Reconciled
             : e.mark == ReconcileMark::Cleared  ? RegisterCells::Icon::Cleared
                                                 : RegisterCells::Icon::Unreconciled;
    c.transferOverlay = e.isTransfer();
    c.style.negative = e.balance.isNegative();
    c.date = dateWithWeekday(e.date, m_locale);
    c.number = e.number;
    c.description = e.description;
    // A zero amount counts as a deposit here (0.00 in the Deposit column).
    if (e.amount.isNegative())
        c.payment = moneyText(-e.amount);
    else
        c.deposit = moneyText(e.amount);
    c.balance = moneyText(e.balance);
    c.amount = moneyText(e.amount);
    return c;
}

RegisterCells Register::newRowCells(FileTime now) const
{
    RegisterCells c;
    c.style.tone = RowStyle::Tone::NewRow;
    c.date = dateWithWeekday(now, m_locale);
    c.description = QString::fromLatin1(NewTransactionText);
    return c;
}

// A future row shows what is still to be posted, in the entry's own currency;
// it turns red once its date is reached (by the end of today).
RegisterCells Register::futureCells(const FutureEntry& e, FileTime now)
{
    RegisterCells c;
    c.icon = RegisterCells::Icon::Future;
    c.style.tone = e.date <= endOfDay(now) ? RowStyle::Tone::Due : RowStyle::Tone::PlannedLater;
    c.date = dateWithWeekday(e.date, m_locale);
    c.number = plannerNumber(e.plannerId);
    c.description = e.description;
    const QString amount = m_currencies.amountText(e.amount, e.currency, m_locale);
    // Unlike a transaction row, a zero amount is neither deposit nor payment.
    if (e.amount.isNegative())
        c.payment = m_currencies.amountText(-e.amount, e.currency, m_locale);
    else if (!e.amount.isZero())
        c.deposit = amount;
    c.amount = amount;
    return c;
}

std::vector<RegisterColumn> Register::columns(bool withPanel)
{
    using C = RegisterColumn;
    if (withPanel)
        return {C::Icon, C::Date, C::Description, C::Amount};
    return {C::Icon, C::Date, C::No, C::Description, C::Deposit, C::Payment, C::Balance};
}

QString Register::heading(RegisterColumn column)
{
    switch (column) {
    case RegisterColumn::Icon:
        return {};
    case RegisterColumn::Date:
        return QStringLiteral("Date");
    case RegisterColumn::No:
        return QStringLiteral("No");
    case RegisterColumn::Description:
        return QStringLiteral("Description");
    case RegisterColumn::Deposit:
        return QStringLiteral("Deposit");
    case RegisterColumn::Payment:
        return QStringLiteral("Payment");
    case RegisterColumn::Balance:
        return QStringLiteral("Balance");
    case RegisterColumn::Amount:
        return QStringLiteral("Amount");
    }
    return {};
}

QString Register::balanceBarText() const
{
    return QString::fromLatin1(BalanceText) + QStringLiteral(":  ") + moneyText(m_total);
}

ReconcileMark Register::nextMark(ReconcileMark mark)
{
    switch (mark) {
    case ReconcileMark::Unreconciled:
        return ReconcileMark::Cleared;
    case ReconcileMark::Cleared:
        return ReconcileMark::Reconciled;
    case ReconcileMark::Reconciled:
        return ReconcileMark::Unreconciled;
    }
    return ReconcileMark::Unreconciled;
}

std::optional<ReconcileMark> Register::toggleMark(qint64 row)
{
    const std::optional<RegisterEntry> e = entry(row);
    if (!e)
        return std::nullopt;
    const ReconcileMark mark = nextMark(e->mark);
    if (!writeMark(positionOf(row), e->link, mark))
        return std::nullopt;
    ++m_changes;
    return mark;
}

bool Register::writeMark(qint64 position, const QString& link, ReconcileMark mark)
{
    DbTable& t = m_tables.transactions();
    SortScope scope(t, Prop::AccountKey, DbTable::SortKind::Text);
    StoreTransaction transaction(*m_tables.store());
    if (!scope.ok() || !transaction.isOpen())
        return false;
    const qint32 value = static_cast<qint32>(mark);
    if (!t.moveTo(position) || !t.setInt(Prop::Mark, value))
        return false;
    // A link to a record that no longer exists is passed over.
    if (!link.isEmpty() && t.seekText(SeekKind::Equal, link) && !t.setInt(Prop::Mark, value))
        return false;
    return transaction.commit();
}
