#pragma once

#include "platform/CodePage.h"
#include "platform/LocalTime.h"
#include "shell/CliCommandTable.h"
#include "shell/CliOptions.h"

#include <QLocale>
#include <QStringList>
#include <QTextStream>

#include <optional>

// One run of tallyra-cli: reads the global options, settles the locale, the
// clock, the code page and the book folder, and runs the command. Every
// failure is an exit status with its message on the error stream; --help
// prints the help on the output stream.
class CliRunner {
public:
    CliRunner(const CliCommandTable& commands, QTextStream& out, QTextStream& err);

    // `arguments` are those after the program name. Returns a CliExit status.
    int run(const QStringList& arguments, const EnvironmentLookup& environment);

private:
    // What the global options name, checked before anything is touched.
    struct Choices {
        std::optional<LocalTime> pinnedNow;
        QLocale locale;
        CodePage codePage;
    };

    std::optional<Choices> choose(const CliOptions& options);
    int badUsage(const QString& message);
    int runCommand(const CliCommand& command, const CliOptions& options, const Choices& choices,
                   const EnvironmentLookup& environment);

    const CliCommandTable& m_commands;
    QTextStream& m_out;
    QTextStream& m_err;
};
