#include "shell/PlanningCommands.h"

void PlanningCommands::addTo(CliCommandTable& table)
{
    (void)table;
}
