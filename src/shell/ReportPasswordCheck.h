#pragma once

// The report program's start-up asks the main program's password when one is
// set. The lock record is only read: settings of an older form are the main
// program's to discard.

#include "accounts/PasswordPrompt.h"
#include "platform/Clock.h"
#include "store/DbTable.h"

class ReportPasswordCheck {
public:
    // True when no password is set or the right one was typed.
    static bool passed(DbTable& transactions, const Clock& clock, PasswordPrompt& prompt);
};
