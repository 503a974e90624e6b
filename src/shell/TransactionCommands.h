#pragma once

#include "shell/CliCommandTable.h"

// tallyra-cli's commands add, edit, delete, post, dismiss.
class TransactionCommands {
public:
    static void addTo(CliCommandTable& table);
};
