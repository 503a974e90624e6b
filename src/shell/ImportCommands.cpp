#include "shell/ImportCommands.h"

void ImportCommands::addTo(CliCommandTable& table)
{
    (void)table;
}
