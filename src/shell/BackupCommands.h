#pragma once

#include "shell/CliCommandTable.h"

// tallyra-cli's commands backup, restore, export.
class BackupCommands {
public:
    static void addTo(CliCommandTable& table);
};
