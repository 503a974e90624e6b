#include "accounts/AccountEdit.h"

#include "platform/StoreTransaction.h"
#include "store/RecordLayout.h"
#include "store/SortScope.h"

bool AccountEdit::apply(DbTable& accounts, qint32 account, const QString& name, const QString& note)
{
    SortScope scope(accounts, Prop::AccountId);
    if (!scope.ok() || !accounts.seekInt(SeekKind::Equal, account))
        return false;
    StoreTransaction transaction(*accounts.store());
    if (!transaction.isOpen())
        return false;
    // An empty note is dropped rather than kept as an empty text.
    const bool written =
        accounts.setText(Prop::Name, name) &&
        (note.isEmpty() ? accounts.removeProperty(Prop::Note) : accounts.setText(Prop::Note, note));
    return written && transaction.commit();
}
