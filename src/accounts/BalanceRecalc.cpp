#include "accounts/BalanceRecalc.h"

#include "accounts/AccountList.h"
#include "accounts/AccountRun.h"
#include "platform/StoreTransaction.h"
#include "store/RecordLayout.h"
#include "store/SortScope.h"

#include <algorithm>
#include <limits>

namespace {

bool isAtLimit(Money balance)
{
    return balance.hundredths() == std::numeric_limits<qint64>::max() ||
           balance.hundredths() == std::numeric_limits<qint64>::min();
}

}  // namespace

std::optional<Money> BalanceRecalc::recalc(qint32 account, qint64 firstIndex)
{
    if (!AccountList(m_tables.accounts()).find(account))
        return std::nullopt;
    StoreTransaction transaction(*m_tables.store());
    if (!transaction.isOpen())
        return std::nullopt;
    const std::optional<Money> total = rewriteRun(account, firstIndex);
    if (!total || !writeTotal(account, *total) || !transaction.commit())
        return std::nullopt;
    return total;
}

bool BalanceRecalc::recalcAll()
{
    SilentInteraction silent;
    return recalcAll(silent) == AllOutcome::Done;
}

BalanceRecalc::AllOutcome BalanceRecalc::recalcAll(Interaction& progress)
{
    const std::vector<AccountRecord> accounts = AccountList(m_tables.accounts()).all();
    progress.progressLabel(QString::fromLatin1(ProgressText));
    progress.progressRange(static_cast<qint64>(accounts.size()));
    bool ok = true;
    qint64 done = 0;
    for (const AccountRecord& account : accounts) {
        if (progress.progressStopRequested())
            return AllOutcome::Stopped;
        ok = recalc(account.id).has_value() && ok;
        progress.progressStep(++done);
    }
    return ok ? AllOutcome::Done : AllOutcome::Failed;
}

std::optional<Money> BalanceRecalc::rewriteRun(qint32 account, qint64 firstIndex)
{
    DbTable& t = m_tables.transactions();
    SortScope scope(t, Prop::AccountKey, DbTable::SortKind::Text);
    if (!scope.ok())
        return std::nullopt;
    const AccountRun run = AccountRun::locate(t, account);
    const qint64 start = run.first + std::clamp<qint64>(firstIndex, 0, run.count);
    Money balance;
    if (start > run.first) {
        if (!t.moveTo(start - 1))
            return std::nullopt;
        balance = Money::fromHundredths(t.getInt64(Prop::Balance));
    }
    // The run is walked as it stands now; the balance is not a sort property,
    // so writing it moves nothing.
    for (qint64 p = start; p < run.end(); ++p) {
        if (!t.moveTo(p) || t.getInt(Prop::AccountId) != account)
            return std::nullopt;
        balance += Money::fromHundredths(t.getInt64(Prop::Amount));
        m_reachedLimit = m_reachedLimit || isAtLimit(balance);
        if (t.getInt64(Prop::Balance) != balance.hundredths() &&
            !t.setInt64(Prop::Balance, balance.hundredths()))
            return std::nullopt;
    }
    if (run.count == 0 || start < run.end())
        return balance;
    // Nothing was walked: the total is what the last transaction holds.
    if (!t.moveTo(run.end() - 1))
        return std::nullopt;
    return Money::fromHundredths(t.getInt64(Prop::Balance));
}

bool BalanceRecalc::writeTotal(qint32 account, Money total)
{
    DbTable& a = m_tables.accounts();
    SortScope scope(a, Prop::AccountId);
    if (!scope.ok() || !a.seekInt(SeekKind::Equal, account))
        return false;
    return a.getInt64(Prop::Balance) == total.hundredths() || a.setInt64(Prop::Balance, total.hundredths());
}
