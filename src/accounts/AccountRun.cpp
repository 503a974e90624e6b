#include "accounts/AccountRun.h"

#include "store/KeyText.h"
#include "store/RecordLayout.h"

AccountRun AccountRun::locate(DbTable& transactions, qint32 account)
{
    AccountRun run;
    if (account < 1 || !transactions.seekText(SeekKind::NotLess, idStartKey(account)) ||
        transactions.getInt(Prop::AccountId) != account) {
        transactions.moveTo(DbTable::NoRecord);
        return run;
    }
    run.first = transactions.position();
    if (transactions.seekText(SeekKind::Smaller, idEndKey(account)) &&
        transactions.getInt(Prop::AccountId) == account)
        run.count = transactions.position() - run.first + 1;
    transactions.moveTo(DbTable::NoRecord);
    return run;
}
