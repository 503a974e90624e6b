#pragma once

#include "shell/CliCommandTable.h"

// tallyra-cli's commands plans, plan-add, plan-edit, plan-stop, plan-activate, plan-delete.
class PlanningCommands {
public:
    static void addTo(CliCommandTable& table);
};
