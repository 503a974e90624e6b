#include "shell/ReportPasswordCheck.h"

#include "accounts/PasswordLock.h"
#include "accounts/PasswordLockRecord.h"

bool ReportPasswordCheck::passed(DbTable& transactions, const Clock& clock, PasswordPrompt& prompt)
{
    PasswordLock lock(clock);
    lock.setSettings(PasswordLockRecord::read(transactions).settings);
    return lock.askAtStartUp(prompt);
}
