#include "shell/FutureCommands.h"

void FutureCommands::addTo(CliCommandTable& table)
{
    (void)table;
}
