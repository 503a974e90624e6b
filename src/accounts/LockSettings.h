#pragma once

#include <QtGlobal>

// The two values of the password lock, as the password-lock record keeps them.
struct LockSettings {
    qint64 digest = 0;       // passwordDigest of the password; 0 = no password
    qint32 idleSeconds = 0;  // lock after this long without input; 0 = never

    bool hasPassword() const { return digest != 0; }
    // The idle lock runs only with both a password and an idle time.
    bool idleLockActive() const { return digest != 0 && idleSeconds > 0; }

    friend bool operator==(const LockSettings&, const LockSettings&) = default;
};
