#include "accounts/PasswordLock.h"

#include "accounts/PasswordLockRecord.h"
#include "store/PasswordDigest.h"

#include <limits>

const QString PasswordLock::LockOutText =
    QStringLiteral("Program is Locked!!!\nTo Close the program Press RESET.");
const QString PasswordLock::OlderFormText =
    QStringLiteral("Set Password Again. \nMenu Edit/Currency and Password...");

namespace {

qint64 saturatingAdd(qint64 a, qint64 b)
{
    qint64 sum = 0;
    if (__builtin_add_overflow(a, b, &sum))
        return b > 0 ? std::numeric_limits<qint64>::max() : std::numeric_limits<qint64>::min();
    return sum;
}

}  // namespace

PasswordLock::PasswordLock(const Clock& clock) : m_clock(clock)
{
}

void PasswordLock::load(DbTable& transactions, Interaction& ui)
{
    const PasswordLockRecord::Loaded loaded = PasswordLockRecord::read(transactions);
    if (loaded.form == PasswordLockRecord::Form::Older) {
        // A failed clearing only means the message comes again at the next start.
        (void)PasswordLockRecord::discard(transactions);
        ui.showMessage(OlderFormText, Interaction::Icon::Information);
    }
    setSettings(loaded.settings);
}

void PasswordLock::setSettings(const LockSettings& settings)
{
    m_settings = settings;
    if (m_settings.idleSeconds < 0)
        m_settings.idleSeconds = 0;
    noteActivity();
}

bool PasswordLock::askAtStartUp(PasswordPrompt& prompt)
{
    if (m_lockedOut) {
        prompt.showLockOut(LockOutText);
        return false;
    }
    return askUpToFiveTimes(prompt);
}

void PasswordLock::idleCheck(PasswordPrompt& prompt)
{
    if (m_lockedOut) {
        prompt.showLockOut(LockOutText);
        return;
    }
    if (!m_settings.idleLockActive()) {
        m_deadlineArmed = false;
        return;
    }
    if (!m_deadlineArmed || m_activity != m_seenActivity)
        restartDeadline();
    if (m_clock.ticksMs() < m_deadlineMs)
        return;
    if (lockWhileRunning(prompt)) {
        noteActivity();
        restartDeadline();
    }
}

void PasswordLock::lockNow(PasswordPrompt& prompt)
{
    if (m_lockedOut) {
        prompt.showLockOut(LockOutText);
        return;
    }
    if (!m_settings.hasPassword())
        return;
    if (lockWhileRunning(prompt))
        restartDeadline();
}

bool PasswordLock::askUpToFiveTimes(PasswordPrompt& prompt) const
{
    if (!m_settings.hasPassword())
        return true;
    for (int attempt = 0; attempt < MaxAttempts; ++attempt) {
        const std::optional<QString> typed = prompt.askPassword();
        if (!typed)
            return false;  // Cancel ends the attempts at once
        // Only the digest is compared: two texts with one digest both open the lock.
        if (passwordDigest(*typed) == m_settings.digest)
            return true;
    }
    return false;
}

bool PasswordLock::lockWhileRunning(PasswordPrompt& prompt)
{
    prompt.hideMainWindow();
    if (!askUpToFiveTimes(prompt)) {
        m_lockedOut = true;
        prompt.showLockOut(LockOutText);
        return false;
    }
    prompt.showMainWindow();
    return true;
}

void PasswordLock::restartDeadline()
{
    m_deadlineMs = saturatingAdd(m_clock.ticksMs(), static_cast<qint64>(m_settings.idleSeconds) * 1000);
    m_seenActivity = m_activity;
    m_deadlineArmed = true;
}
