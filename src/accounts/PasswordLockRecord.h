#pragma once

// The one record that keeps the lock settings: a record of the transaction
// table under the reserved account ReservedAccount::PasswordLock, with
// PasswordDigest (64-bit) and LockSeconds (integer). It has an account key like
// any transaction, always the same one, so it is found by a seek; its date is
// the first moment of the calendar and never shows anywhere.
//
// An earlier version kept the record in another form, with a Balance (and a
// CategoryId) as well. Its Balance and CategoryId are cleared and the user is
// asked to set the password again; PasswordDigest and LockSeconds stay.

#include "accounts/LockSettings.h"
#include "store/DbTable.h"

#include <QString>

class PasswordLockRecord {
public:
    enum class Form { Missing, Current, Older };

    struct Loaded {
        LockSettings settings;  // zero when the record is missing
        Form form = Form::Missing;
    };

    PasswordLockRecord() = delete;

    // The settings found in the transaction table. A negative LockSeconds
    // (damaged data) reads as 0. The cursor's sort is restored and it is left
    // without a current record.
    static Loaded read(DbTable& transactions);

    // Writes both values, creating the record when it is missing, all or nothing.
    // False when the store refused the write.
    [[nodiscard]] static bool write(DbTable& transactions, const LockSettings& settings);

    // Clears Balance and CategoryId of a record of the older form, keeping its
    // settings; a record of the current form is left alone. True when no
    // record of the older form is left.
    [[nodiscard]] static bool discard(DbTable& transactions);

    // The account key the record is stored and sought under.
    static QString key();
};
