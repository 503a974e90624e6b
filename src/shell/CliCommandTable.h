#pragma once

#include "shell/CliCommand.h"

#include <QString>

#include <vector>

// The commands tallyra-cli knows, in the order the help lists them. A command
// arrives by adding its entry here; nothing else needs to learn its name.
class CliCommandTable {
public:
    // The commands of this build.
    static CliCommandTable standard();

    // False (and nothing added) when a command of that name exists already.
    bool add(CliCommand command);
    const CliCommand* find(const QString& name) const;
    const std::vector<CliCommand>& commands() const { return m_commands; }

    // The help text: usage, global options, then one line per command
    // starting with two blanks and its usage line.
    QString helpText() const;

private:
    std::vector<CliCommand> m_commands;
};
