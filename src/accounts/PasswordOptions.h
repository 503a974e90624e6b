#pragma once

// The "Password Options" page without its widgets: the state of its controls,
// which of them are enabled, and what "Apply" does.
//
// "Set Password" enables the two password fields and the
// "Screen-Saver-Password:" check box; that check box enables the minutes field.
// Any change enables "Apply"; a successful Apply disables it again.

#include "accounts/LockSettings.h"
#include "accounts/PasswordLock.h"
#include "platform/Interaction.h"
#include "store/DbTable.h"

#include <QString>

class PasswordOptions {
public:
    static const QString PasswordsDifferText;
    static const QString IdleTooShortText;
    static constexpr qint32 MinIdleSeconds = 60;

    enum class Outcome {
        Saved,
        PasswordsDiffer,  // message shown; the focus goes to the first password field
        IdleTooShort,     // message shown; the focus goes to the minutes field
        WriteFailed,      // the store refused the record; nothing changed
    };

    // The page as it opens for the current settings: password fields empty.
    explicit PasswordOptions(const LockSettings& current);

    void setPasswordChecked(bool checked);
    // False, leaving the field as it was, for a text the field does not take
    // (over MaxPasswordLength characters, or one that digests to "no password").
    bool setFirstPassword(const QString& text);
    bool setSecondPassword(const QString& text);
    void setIdleChecked(bool checked);
    void setIdleMinutes(const QString& text);

    bool passwordChecked() const { return m_passwordChecked; }
    bool idleChecked() const { return m_idleChecked; }
    QString idleMinutes() const { return m_idleMinutes; }
    QString firstPassword() const { return m_first; }
    QString secondPassword() const { return m_second; }

    bool passwordFieldsEnabled() const { return m_passwordChecked; }
    bool idleCheckEnabled() const { return m_passwordChecked; }
    bool idleMinutesEnabled() const { return m_passwordChecked && m_idleChecked; }
    bool applyEnabled() const { return m_applyEnabled; }

    // Checks the fields, writes the password-lock record and hands the new
    // settings to `lock`. Messages go to `ui`. The main window starts its idle
    // timer afterwards when lock.idleTimerWanted().
    Outcome apply(DbTable& transactions, PasswordLock& lock, Interaction& ui);

    // The whole seconds of a typed number of minutes (fractions allowed, read
    // leniently), clamped to 0..INT32_MAX.
    static qint32 idleSecondsOf(const QString& minutes);
    // The minutes field's text for a number of seconds; reads back to them.
    static QString minutesTextOf(qint32 seconds);

private:
    void changed() { m_applyEnabled = true; }

    LockSettings m_current;
    bool m_passwordChecked;
    bool m_idleChecked;
    QString m_idleMinutes;
    QString m_first;
    QString m_second;
    bool m_applyEnabled = false;
};
