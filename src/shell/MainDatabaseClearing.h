#pragma once

// "Clear Database" in the main program: refused while the report program
// holds the book; once cleared, the run's horizon is 0, so the exit step
// stores 0 and the next start takes the repair path, which finds the empty
// tables and starts afresh.

#include "accounts/DatabaseClearing.h"
#include "platform/Interaction.h"
#include "shell/MainBook.h"

class MainDatabaseClearing {
public:
    static DatabaseClearing::Outcome run(MainBook& book, Interaction& ui);
};
