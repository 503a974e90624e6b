#pragma once

#include "shell/CliContext.h"

#include <QString>

#include <functional>

// One command of tallyra-cli: its name, its usage line as the help shows it
// ("register ACCOUNT"), a line saying what it does, and the handler, which
// returns a CliExit status.
struct CliCommand {
    QString name;
    QString usage;
    QString summary;
    std::function<int(CliContext&)> run;
};
