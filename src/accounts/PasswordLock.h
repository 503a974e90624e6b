#pragma once

// The password lock of a running program: the check at start-up, the idle lock
// driven by the main window's timer, "lock now", and the lock-out.
//
// Invariants:
//  1. Once locked out, the lock never unlocks again and never shows the main
//     window: every later check shows the lock-out once more. Only ending the
//     process leaves it.
//  2. The idle deadline is now + the idle time, taken again whenever the
//     activity count moved since the last check or the idle lock was inactive.
//
// Time comes from the injected Clock's monotonic tick count only.

#include "accounts/LockSettings.h"
#include "accounts/PasswordPrompt.h"
#include "platform/Clock.h"
#include "platform/Interaction.h"
#include "store/DbTable.h"

#include <QString>

class PasswordLock {
public:
    static constexpr int IdleCheckIntervalMs = 15'000;
    static constexpr int MaxAttempts = 5;

    static const QString LockOutText;
    static const QString OlderFormText;

    // `clock` must outlive the lock.
    explicit PasswordLock(const Clock& clock);

    // Start-up: takes the settings from the password-lock record. Settings of an
    // older form are deleted and the user is told to set the password again.
    void load(DbTable& transactions, Interaction& ui);

    const LockSettings& settings() const { return m_settings; }
    // New settings (the options page applied); counts as activity.
    void setSettings(const LockSettings& settings);

    // Whether the main window should run its idle timer (IdleCheckIntervalMs).
    bool idleTimerWanted() const { return m_settings.idleLockActive(); }

    // Every key press and pen or mouse input, and every change of the settings.
    void noteActivity() { ++m_activity; }
    quint64 activityCount() const { return m_activity; }

    // Start-up, before the main window exists: true when the right password was
    // typed or none is set; false after five wrong tries or Cancel (the program
    // then ends without opening its window).
    bool askAtStartUp(PasswordPrompt& prompt);

    // The idle timer's tick.
    void idleCheck(PasswordPrompt& prompt);
    // The "lock now" command; does nothing without a password.
    void lockNow(PasswordPrompt& prompt);

    bool isLockedOut() const { return m_lockedOut; }

private:
    bool askUpToFiveTimes(PasswordPrompt& prompt) const;
    // Hides the window and asks; shows it again or locks out. True when unlocked.
    bool lockWhileRunning(PasswordPrompt& prompt);
    void restartDeadline();

    const Clock& m_clock;
    LockSettings m_settings;
    quint64 m_activity = 0;
    quint64 m_seenActivity = 0;
    bool m_deadlineArmed = false;
    qint64 m_deadlineMs = 0;
    bool m_lockedOut = false;
};
