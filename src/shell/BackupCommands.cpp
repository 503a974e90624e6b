#include "shell/BackupCommands.h"

void BackupCommands::addTo(CliCommandTable& table)
{
    (void)table;
}
