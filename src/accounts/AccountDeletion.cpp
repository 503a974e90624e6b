#include "accounts/AccountDeletion.h"

#include "accounts/AccountList.h"
#include "accounts/AccountRun.h"
#include "platform/StoreTransaction.h"
#include "reference/ClearReferences.h"
#include "store/RecordLayout.h"
#include "store/SortScope.h"

AccountDeletion::Outcome AccountDeletion::remove(qint32 account, Interaction& ui)
{
    AccountList accounts(m_tables.accounts());
    const std::optional<AccountRecord> record = accounts.find(account);
    if (!record)
        return Outcome::Missing;
    if (!ui.askYesNo(QString::fromLatin1(QuestionText)))
        return Outcome::Declined;
    if (accounts.all().size() <= 1) {
        ui.showMessage(QString::fromLatin1(LastAccountText), Interaction::Icon::Exclamation);
        return Outcome::LastAccount;
    }
    if (!removeAll(account, record->name))
        return Outcome::Failed;
    if (m_recomputeProjectTotals)
        m_recomputeProjectTotals();
    if (m_rebuildFutureList)
        m_rebuildFutureList();
    return Outcome::Deleted;
}

bool AccountDeletion::removeAll(qint32 account, const QString& name)
{
    StoreTransaction transaction(*m_tables.store());
    if (!transaction.isOpen())
        return false;
    const qint32 category = m_categories.create(RootCategoryId, QLatin1Char('*') + name);
    return category != 0 && deleteTransactions(account) && refileTransfers(account, category) &&
           clearReferences(m_tables.planner(), Prop::CategoryId, -account) &&
           clearReferences(m_tables.scheduled(), Prop::CategoryId, -account) &&
           deleteAccountRecord(account) && transaction.commit();
}

bool AccountDeletion::deleteTransactions(qint32 account)
{
    DbTable& t = m_tables.transactions();
    SortScope scope(t, Prop::AccountKey, DbTable::SortKind::Text);
    if (!scope.ok())
        return false;
    const AccountRun run = AccountRun::locate(t, account);
    // Each delete closes the gap, so the run's next record moves to `first`.
    for (qint64 i = 0; i < run.count; ++i) {
        if (!t.moveTo(run.first) || t.getInt(Prop::AccountId) != account || !t.deleteAt(run.first))
            return false;
    }
    return true;
}

bool AccountDeletion::refileTransfers(qint32 account, qint32 category)
{
    DbTable& t = m_tables.transactions();
    // Creation order: no write below moves a record in it.
    SortScope scope(t, 0, DbTable::SortKind::None);
    if (!scope.ok())
        return false;
    const qint64 total = t.count();
    for (qint64 p = 0; p < total; ++p) {
        if (!t.moveTo(p))
            return false;
        if (t.getInt(Prop::CategoryId) != -account)
            continue;
        if (!t.setInt(Prop::CategoryId, category) || !t.removeProperty(Prop::TransferLink))
            return false;
    }
    return true;
}

bool AccountDeletion::deleteAccountRecord(qint32 account)
{
    DbTable& a = m_tables.accounts();
    SortScope scope(a, Prop::AccountId);
    return scope.ok() && a.seekInt(SeekKind::Equal, account) && a.deleteAt(a.position());
}
