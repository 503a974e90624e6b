#pragma once

#include "shell/CliCommandTable.h"

// tallyra-cli's commands future, reminders, prognosis.
class FutureCommands {
public:
    static void addTo(CliCommandTable& table);
};
