#pragma once

#include "shell/CliCommandTable.h"

// tallyra-cli's commands find, purge, clear-database, repair, password-set, password-clear.
class MaintenanceCommands {
public:
    static void addTo(CliCommandTable& table);
};
