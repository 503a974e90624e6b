#include "accounts/AccountEdit.h"

#include "accounts/AccountName.h"
#include "platform/StoreTransaction.h"
#include "store/RecordLayout.h"
#include "store/SortScope.h"
#include "store/TextLimit.h"

bool AccountEdit::apply(DbTable& accounts, qint32 account, const QString& name, const QString& note)
{
    if (AccountName::problem(name) || !TextLimit::fits(note))
        return false;
    SortScope scope(accounts, Prop::AccountId);
    if (!scope.ok() || !accounts.seekInt(SeekKind::Equal, account))
        return false;
    StoreTransaction transaction(*accounts.store());
    if (!transaction.isOpen())
        return false;
    // An empty note is dropped rather than kept as an empty text.
    const bool written =
        accounts.setText(Prop::Name, name.trimmed()) &&
        (note.isEmpty() ? accounts.removeProperty(Prop::Note) : accounts.setText(Prop::Note, note));
    return written && transaction.commit();
}
