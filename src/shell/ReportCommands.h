#pragma once

class CliCommandTable;

// tallyra-cli's commands of the report program: `report` and `filter-save`.
// Each is one run of the report program: its start-up (the five shared
// tables, the filter, the currency list, the main program's password), then
// the command. They take no lock of the book, so they run while the main
// program is open on it, and they leave the report program's settings as
// they found them: --currency holds for the run only.
void addReportCommands(CliCommandTable& table);
