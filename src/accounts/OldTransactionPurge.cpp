#include "accounts/OldTransactionPurge.h"

#include "accounts/AccountList.h"
#include "accounts/AccountRun.h"
#include "accounts/BalanceRecalc.h"
#include "accounts/TransactionRemoval.h"
#include "platform/StoreTransaction.h"
#include "store/RecordLayout.h"
#include "store/SortScope.h"
#include "store/UniqueKey.h"

QString OldTransactionPurge::promptFor(const QString& accountName)
{
    return QString::fromLatin1(PromptText).replace(QLatin1String("%s"), accountName);
}

FileTime OldTransactionPurge::cutoff(FileTime now, int days)
{
    return addDays(endOfDay(now), -static_cast<qint64>(days));
}

OldTransactionPurge::Result OldTransactionPurge::purge(qint32 account, int days, bool clearedOnly,
                                                       FileTime now)
{
    SilentInteraction silent;
    return purge(account, days, clearedOnly, now, silent);
}

OldTransactionPurge::Result OldTransactionPurge::purge(qint32 account, int days, bool clearedOnly,
                                                       FileTime now, Interaction& progress)
{
    Result result;
    const std::optional<AccountRecord> record = AccountList(m_tables.accounts()).find(account);
    if (!record) {
        result.outcome = Outcome::Missing;
        return result;
    }
    const std::optional<std::vector<Old>> old = oldTransactions(account, cutoff(now, days), clearedOnly);
    if (!old)
        return result;
    if (AccountRun::locate(m_tables.transactions(), account).count == 0) {
        result.outcome = Outcome::Done;
        return result;
    }
    StoreTransaction transaction(*m_tables.store());
    if (!transaction.isOpen())
        return result;
    // The remembered total is the sum of the amounts, not whatever the account
    // record says: a stale total would otherwise leak into "Begin Balance".
    const std::optional<Money> before = BalanceRecalc(m_tables).recalc(account);
    if (!before)
        return Result{};
    if (!removeAll(account, record->name, *old, now, progress, result)) {
        Result undone;
        if (result.outcome == Outcome::Stopped)
            undone.outcome = Outcome::Stopped;
        return undone;
    }
    const std::optional<Money> after = BalanceRecalc(m_tables).recalc(account);
    if (!after)
        return Result{};
    if (*after != *before) {
        if (!addBeginBalance(account, record->currency, *before - *after, old->front().date, now, result) ||
            !BalanceRecalc(m_tables).recalc(account))
            return Result{};
    }
    if (result.removed > 0 && m_recomputeProjectTotals && !m_recomputeProjectTotals())
        return Result{};
    if (!transaction.commit())
        return Result{};
    result.outcome = Outcome::Done;
    return result;
}

// The old transactions, newest first.
std::optional<std::vector<OldTransactionPurge::Old>>
OldTransactionPurge::oldTransactions(qint32 account, FileTime cutoff, bool clearedOnly)
{
    std::vector<Old> old;
    DbTable& t = m_tables.transactions();
    SortScope scope(t, Prop::AccountKey, DbTable::SortKind::Text);
    if (!scope.ok())
        return std::nullopt;
    const AccountRun run = AccountRun::locate(t, account);
    for (qint64 p = run.end() - 1; p >= run.first; --p) {
        if (!t.moveTo(p))
            return std::nullopt;
        if (t.getInt64(Prop::Date) > cutoff)
            continue;
        const auto mark = static_cast<ReconcileMark>(t.getInt(Prop::Mark));
        if (clearedOnly && mark != ReconcileMark::Cleared && mark != ReconcileMark::Reconciled)
            continue;
        old.push_back({t.getText(Prop::AccountKey), t.getInt64(Prop::Date), t.getText(Prop::TransferLink),
                       !t.getText(Prop::PlannerKey).isEmpty()});
    }
    t.moveTo(DbTable::NoRecord);
    return old;
}

bool OldTransactionPurge::removeAll(qint32 account, const QString& name, const std::vector<Old>& old,
                                    FileTime now, Interaction& progress, Result& result)
{
    const qint32 category = starCategory(name);
    if (category == 0)
        return false;
    progress.progressLabel(QString::fromLatin1(TitleText));
    progress.progressRange(static_cast<qint64>(old.size()));
    // Removal goes by key: a record moved to the holder account sorts
    // elsewhere, so the account's positions shift under the walk.
    for (const Old& o : old) {
        if (progress.progressStopRequested()) {
            result.outcome = Outcome::Stopped;
            return false;
        }
        if (!o.link.isEmpty() && !refileCounterpart(account, o.link, category, result))
            return false;
        switch (TransactionRemoval::removeByKey(m_tables, o.key, now)) {
        case TransactionRemoval::Outcome::MovedToHolder:
            ++result.movedToHolder;
            break;
        case TransactionRemoval::Outcome::Deleted:
            break;
        case TransactionRemoval::Outcome::Failed:
            return false;
        }
        ++result.removed;
        progress.progressStep(result.removed);
    }
    return true;
}

// The top-level category "*" + the account's name: the one that exists (the
// first in id order), else a new one. 0 when it could not be made.
qint32 OldTransactionPurge::starCategory(const QString& accountName)
{
    const QString name = QLatin1Char('*') + accountName;
    for (const TreeRecord& r : m_categories.tree().records()) {
        if (r.parent == RootCategoryId && r.name == name)
            return r.id;
    }
    return m_categories.create(RootCategoryId, name);
}

// The other side stays where it is, as an ordinary transaction; a link that
// leads nowhere (or back into this account) is left alone.
bool OldTransactionPurge::refileCounterpart(qint32 account, const QString& link, qint32 category,
                                            Result& result)
{
    DbTable& t = m_tables.transactions();
    bool ok = true;
    {
        SortScope scope(t, Prop::AccountKey, DbTable::SortKind::Text);
        if (!scope.ok())
            return false;
        if (t.seekText(SeekKind::Equal, link) && t.getInt(Prop::AccountId) != account &&
            !isReservedAccount(t.getInt(Prop::AccountId))) {
            ok = t.setValues({PropValue::ofInt(Prop::CategoryId, category),
                              PropValue::removal(Prop::TransferLink, PropType::Text)});
            if (ok)
                ++result.refiled;
        }
    }
    t.moveTo(DbTable::NoRecord);
    return ok;
}

bool OldTransactionPurge::addBeginBalance(qint32 account, const QString& currency, Money amount,
                                          FileTime date, FileTime now, Result& result)
{
    DbTable& t = m_tables.transactions();
    SortScope scope(t, Prop::AccountKey, DbTable::SortKind::Text);
    if (!scope.ok())
        return false;
    const std::optional<NewTransactionKey> key = uniqueAccountKey(t, account, date, now);
    if (!key)
        return false;
    t.beginNew();
    t.setText(Prop::AccountKey, key->key);
    t.setInt(Prop::AccountId, account);
    t.setInt64(Prop::Date, key->date);
    t.setText(Prop::Name, QString::fromLatin1(BeginBalanceText));
    t.setInt64(Prop::Amount, amount.hundredths());
    t.setText(Prop::CurrencyCode, currency);
    t.setInt(Prop::Mark, static_cast<qint32>(ReconcileMark::Reconciled));
    const bool written = t.setInt64(Prop::Balance, 0, true);
    t.moveTo(DbTable::NoRecord);
    if (!written)
        return false;
    result.beginBalanceKey = key->key;
    result.beginBalance = amount;
    return true;
}
