#pragma once

#include "shell/CliCommandTable.h"

// tallyra-cli's commands import.
class ImportCommands {
public:
    static void addTo(CliCommandTable& table);
};
