#include "accounts/TransactionRemoval.h"

#include "store/RecordLayout.h"
#include "store/SortScope.h"
#include "store/UniqueKey.h"

namespace {

// What a record keeps when it moves to the holder account: the planner key,
// planned date, amounts, currency, mark and a plain category, which the
// scheduler reads to know the occurrence was dealt with. Everything that would
// show it or tie it to another record goes.
PropList holderChanges(const NewTransactionKey& key, qint32 category)
{
    PropList changes{
        PropValue::ofText(Prop::AccountKey, key.key),
        PropValue::ofInt(Prop::AccountId, ReservedAccount::Holder), PropValue::ofInt64(Prop::Date, key.date),
        PropValue::removal(Prop::ProjectKey, PropType::Text), PropValue::removal(Prop::Name, PropType::Text),
        PropValue::removal(Prop::Note, PropType::Text), PropValue::removal(Prop::Number, PropType::Text),
        PropValue::removal(Prop::Contact, PropType::Text),
        // A held record is no side of a transfer any more; the caller
        // deals with the other side.
        PropValue::removal(Prop::TransferLink, PropType::Text)};
    if (category < 0)
        changes.push_back(PropValue::removal(Prop::CategoryId, PropType::Int));
    return changes;
}

TransactionRemoval::Outcome moveToHolder(DbTable& t, FileTime now)
{
    const RecordId record = t.recordId();
    const qint32 category = t.getInt(Prop::CategoryId);
    // The key search moves the cursor; the record is found again by identity.
    const std::optional<NewTransactionKey> key = uniqueAccountKey(t, ReservedAccount::Holder, now, now);
    if (!key || !t.moveToRecord(record) || !t.setValues(holderChanges(*key, category)))
        return TransactionRemoval::Outcome::Failed;
    return TransactionRemoval::Outcome::MovedToHolder;
}

}  // namespace

TransactionRemoval::Outcome TransactionRemoval::removeAt(TableSet& tables, qint64 position, FileTime now)
{
    DbTable& t = tables.transactions();
    Outcome outcome = Outcome::Failed;
    {
        SortScope scope(t, Prop::AccountKey, DbTable::SortKind::Text);
        if (scope.ok() && t.moveTo(position)) {
            if (t.getText(Prop::PlannerKey).isEmpty())
                outcome = t.deleteAt(position) ? Outcome::Deleted : Outcome::Failed;
            else
                outcome = moveToHolder(t, now);
        }
    }
    t.moveTo(DbTable::NoRecord);
    return outcome;
}

TransactionRemoval::Outcome TransactionRemoval::removeByKey(TableSet& tables, const QString& accountKey,
                                                            FileTime now)
{
    DbTable& t = tables.transactions();
    qint64 position = -1;
    {
        SortScope scope(t, Prop::AccountKey, DbTable::SortKind::Text);
        if (scope.ok() && !accountKey.isEmpty() && t.seekText(SeekKind::Equal, accountKey))
            position = t.position();
    }
    if (position < 0) {
        t.moveTo(DbTable::NoRecord);
        return Outcome::Failed;
    }
    return removeAt(tables, position, now);
}
