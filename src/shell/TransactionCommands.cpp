#include "shell/TransactionCommands.h"

void TransactionCommands::addTo(CliCommandTable& table)
{
    (void)table;
}
