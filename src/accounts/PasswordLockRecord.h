#pragma once

// The one record that keeps the lock settings: a record of the transaction
// table under the reserved account ReservedAccount::PasswordLock, with
// PasswordDigest (64-bit) and LockSeconds (integer). It has an account key like
// any transaction, always the same one, so it is found by a seek; its date is
// the first moment of the calendar and never shows anywhere.
//
// An earlier version kept the settings in another form: a record whose
// PasswordDigest or LockSeconds has another value type. Such settings cannot be
// trusted and are discarded.

#include "accounts/LockSettings.h"
#include "store/DbTable.h"

#include <QString>

class PasswordLockRecord {
public:
    enum class Form { Missing, Current, Older };

    struct Loaded {
        LockSettings settings;  // zero unless the form is Current
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

    // Deletes the record (settings of an older form). True when no record is left.
    [[nodiscard]] static bool discard(DbTable& transactions);

    // The account key the record is stored and sought under.
    static QString key();
};
