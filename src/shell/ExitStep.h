#pragma once

#include "shell/MainBook.h"

// The main program's orderly end: the horizon written back (unless a restore
// asked to skip it), the currency cache freed, the seven tables closed. After
// an abandoned start-up it does nothing, so the next start repairs.
class ExitStep {
public:
    static void run(MainBook& book);
};
