#pragma once

#include "shell/CliCommandTable.h"

// tallyra-cli check: prints each broken invariant of the book; exit 1 when
// there is one. Covers the accounts' invariants (AccountCheck) so far.
class CheckCommand {
public:
    static void addTo(CliCommandTable& table);
};
