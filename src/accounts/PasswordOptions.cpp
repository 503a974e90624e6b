#include "accounts/PasswordOptions.h"

#include "accounts/PasswordLockRecord.h"
#include "store/NumberParse.h"
#include "store/PasswordDigest.h"

#include <cmath>
#include <limits>

const QString PasswordOptions::PasswordsDifferText = QStringLiteral(
    "Please Enter the First and Second Password fields again\nThis fields have to be equivalent.");
const QString PasswordOptions::IdleTooShortText = QStringLiteral("Time must be more or equal one minute.");

PasswordOptions::PasswordOptions(const LockSettings& current)
    : m_current(current), m_passwordChecked(current.hasPassword()), m_idleChecked(current.idleSeconds > 0),
      m_idleMinutes(current.idleSeconds > 0 ? minutesTextOf(current.idleSeconds) : QString())
{
}

void PasswordOptions::setPasswordChecked(bool checked)
{
    m_passwordChecked = checked;
    changed();
}

bool PasswordOptions::setFirstPassword(const QString& text)
{
    if (!isAcceptablePassword(text))
        return false;
    m_first = text;
    changed();
    return true;
}

bool PasswordOptions::setSecondPassword(const QString& text)
{
    if (!isAcceptablePassword(text))
        return false;
    m_second = text;
    changed();
    return true;
}

void PasswordOptions::setIdleChecked(bool checked)
{
    m_idleChecked = checked;
    changed();
}

void PasswordOptions::setIdleMinutes(const QString& text)
{
    m_idleMinutes = text;
    changed();
}

PasswordOptions::Outcome PasswordOptions::apply(DbTable& transactions, PasswordLock& lock, Interaction& ui)
{
    LockSettings next;  // an unchecked "Set Password" removes the lock
    if (m_passwordChecked) {
        next.digest = m_current.digest;
        if (!m_first.isEmpty()) {
            if (m_first != m_second) {
                ui.showMessage(PasswordsDifferText, Interaction::Icon::Exclamation);
                return Outcome::PasswordsDiffer;
            }
            next.digest = passwordDigest(m_first);
        }
        if (m_idleChecked) {
            next.idleSeconds = idleSecondsOf(m_idleMinutes);
            if (next.idleSeconds < MinIdleSeconds) {
                ui.showMessage(IdleTooShortText, Interaction::Icon::Exclamation);
                return Outcome::IdleTooShort;
            }
        }
    }
    if (!PasswordLockRecord::write(transactions, next))
        return Outcome::WriteFailed;
    m_current = next;
    m_applyEnabled = false;
    lock.setSettings(next);
    return Outcome::Saved;
}

qint32 PasswordOptions::idleSecondsOf(const QString& minutes)
{
    const double seconds = parseLenientNumber(minutes) * 60.0;
    if (!(seconds > 0.0))
        return 0;  // also NaN
    constexpr double Max = std::numeric_limits<qint32>::max();
    if (seconds >= Max)
        return std::numeric_limits<qint32>::max();
    // A hair above the exact value, so "1.66666666666667" minutes is 100 seconds
    // and not 99 for a rounding error in the last digit.
    return static_cast<qint32>(std::floor(seconds + 1e-7));
}

QString PasswordOptions::minutesTextOf(qint32 seconds)
{
    return QString::number(seconds / 60.0, 'g', 15);
}
