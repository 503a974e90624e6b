#pragma once

#include <QString>

// Starting another program of the suite, detached from this one and told
// which book folder to open through TALLYRA_HOME (the programs hand each other
// no command line).
namespace ProgramStart {

// Where the program `name` is taken from: the folder of the running program
// first (the same bin folder when installed, a link in the build tree), then
// the PATH. When neither has it, the path it would have in `programFolder`,
// which then fails to start.
QString locate(const QString& programFolder, const QString& name);

// Starts the file at `path` with no arguments. False when the file is missing
// or cannot be started.
bool startDetached(const QString& path, const QString& bookFolder);

}  // namespace ProgramStart
