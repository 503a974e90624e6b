#pragma once

#include "shell/CliCommandTable.h"

// tallyra-cli's register commands: register, balance, mark, info.
class RegisterCommands {
public:
    static void addTo(CliCommandTable& table);
};
