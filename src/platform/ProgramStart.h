#pragma once

#include <QString>

// Starting another program of the suite: the file at `path`, with no
// arguments, detached from this one, told which book folder to open through
// TALLYRA_HOME (the programs hand each other no command line).
namespace ProgramStart {

// False when the file is missing or cannot be started.
bool startDetached(const QString& path, const QString& bookFolder);

}  // namespace ProgramStart
