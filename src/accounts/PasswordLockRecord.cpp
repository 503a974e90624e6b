#include "accounts/PasswordLockRecord.h"

#include "platform/StoreTransaction.h"
#include "store/KeyText.h"
#include "store/RecordLayout.h"
#include "store/SortScope.h"

#include <algorithm>

namespace {

// Makes the password-lock record current; false when there is none.
bool seekRecord(DbTable& transactions)
{
    if (!transactions.seekText(SeekKind::NotLess, idStartKey(ReservedAccount::PasswordLock)))
        return false;
    return transactions.getInt(Prop::AccountId) == ReservedAccount::PasswordLock;
}

// Earlier versions kept a balance (and a category) on the record; the
// current form has neither.
bool isOlderForm(const DbTable& transactions)
{
    return transactions.has(Prop::Balance);
}

bool updateCurrent(DbTable& transactions, const LockSettings& settings)
{
    return transactions.setInt64(Prop::PasswordDigest, settings.digest) &&
           transactions.setInt(Prop::LockSeconds, settings.idleSeconds);
}

bool createRecord(DbTable& transactions, const LockSettings& settings)
{
    transactions.beginNew();
    return transactions.setText(Prop::AccountKey, PasswordLockRecord::key()) &&
           transactions.setInt(Prop::AccountId, ReservedAccount::PasswordLock) &&
           transactions.setInt64(Prop::Date, minFileTime()) &&
           transactions.setInt64(Prop::PasswordDigest, settings.digest) &&
           transactions.setInt(Prop::LockSeconds, settings.idleSeconds, true);
}

}  // namespace

QString PasswordLockRecord::key()
{
    return fullKey(ReservedAccount::PasswordLock, minFileTime());
}

PasswordLockRecord::Loaded PasswordLockRecord::read(DbTable& transactions)
{
    Loaded loaded;
    {
        SortScope scope(transactions, Prop::AccountKey, DbTable::SortKind::Text);
        if (scope.ok() && seekRecord(transactions)) {
            loaded.form = isOlderForm(transactions) ? Form::Older : Form::Current;
            loaded.settings.digest = transactions.getInt64(Prop::PasswordDigest);
            loaded.settings.idleSeconds = std::max(0, transactions.getInt(Prop::LockSeconds));
        }
    }
    transactions.moveTo(DbTable::NoRecord);
    return loaded;
}

bool PasswordLockRecord::write(DbTable& transactions, const LockSettings& settings)
{
    if (!transactions.store())
        return false;
    bool ok = false;
    {
        SortScope scope(transactions, Prop::AccountKey, DbTable::SortKind::Text);
        StoreTransaction transaction(*transactions.store());
        if (scope.ok() && transaction.isOpen()) {
            ok = seekRecord(transactions) ? updateCurrent(transactions, settings)
                                          : createRecord(transactions, settings);
            ok = ok && transaction.commit();
        }
    }
    transactions.moveTo(DbTable::NoRecord);
    return ok;
}

bool PasswordLockRecord::discard(DbTable& transactions)
{
    bool ok = true;
    {
        SortScope scope(transactions, Prop::AccountKey, DbTable::SortKind::Text);
        ok = scope.ok();
        if (ok && seekRecord(transactions) && isOlderForm(transactions))
            ok = transactions.setValues({PropValue::removal(Prop::Balance, PropType::Int64),
                                         PropValue::removal(Prop::CategoryId, PropType::Int)});
    }
    transactions.moveTo(DbTable::NoRecord);
    return ok;
}
