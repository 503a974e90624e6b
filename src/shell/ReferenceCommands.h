#pragma once

#include "shell/CliCommandTable.h"

// tallyra-cli's commands over the reference data: currencies and rates, the
// default currency, symbols, and the category and project trees.
namespace ReferenceCommands {

void addTo(CliCommandTable& table);

}  // namespace ReferenceCommands
