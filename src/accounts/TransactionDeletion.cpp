#include "accounts/TransactionDeletion.h"

#include "accounts/TransactionRemoval.h"
#include "accounts/TransferCounterpart.h"

bool TransactionDeletion::removeOne(TableSet& tables, const StoredTransaction& side, FileTime now,
                                    TransactionFollowUp& followUp)
{
    DbTable& t = tables.transactions();
    const std::optional<qint64> index = TransactionLookup::indexOf(t, side.account, side.key);
    if (TransactionRemoval::removeByKey(tables, side.key, now) == TransactionRemoval::Outcome::Failed)
        return false;
    if (index)
        followUp.noteAccount(side.account, *index);
    followUp.noteProject(side.project);
    return true;
}

bool TransactionDeletion::remove(TableSet& tables, const QString& key, FileTime now,
                                 TransactionFollowUp& followUp)
{
    DbTable& t = tables.transactions();
    const std::optional<StoredTransaction> own = TransactionLookup::read(t, key);
    if (!own || !removeOne(tables, *own, now, followUp))
        return false;
    if (!own->isTransfer())
        return true;
    // The other side goes too, unless it or its account is gone already.
    const std::optional<StoredTransaction> other = TransactionLookup::read(t, own->link);
    if (!other || other->account != own->otherAccount() ||
        !TransferCounterpart::otherAccount(tables, other->account))
        return true;
    return removeOne(tables, *other, now, followUp);
}
