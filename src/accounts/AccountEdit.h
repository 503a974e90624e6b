#pragma once

// The "Edit Account" dialog's OK: the account's name and note. The per-account
// export settings are keyed by the name, so a renamed account starts them
// again from their defaults.

#include "store/DbTable.h"

#include <QString>

class AccountEdit {
public:
    // The name is trimmed. False when no account has that id, the name is not
    // one an account may take (AccountName), the note is longer than a record
    // holds, or a write failed; nothing changed then.
    static bool apply(DbTable& accounts, qint32 account, const QString& name, const QString& note);
};
