#include "shell/MaintenanceCommands.h"

void MaintenanceCommands::addTo(CliCommandTable& table)
{
    (void)table;
}
