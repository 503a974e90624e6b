#pragma once

#include <QString>
#include <QStringList>

#include <functional>
#include <optional>

// Reads a process environment variable; empty when it is unset. Passed in so
// tests can give a run an environment of their own.
using EnvironmentLookup = std::function<QString(const char* name)>;

// The global options of tallyra-cli, which stand before the command, and the
// command with its own arguments (passed on untouched, options included).
struct CliOptions {
    QString dataDir;
    QString localeName;
    QString nowText;
    QString codePageName;
    bool yes = false;
    std::optional<QString> password;
    bool json = false;
    bool help = false;

    QString command;
    QStringList arguments;

    // The arguments after the program name. nullopt with *error filled for an
    // unknown option or an option that lacks its value. Both "--data DIR" and
    // "--data=DIR" are read; "--" ends the options.
    static std::optional<CliOptions> parse(const QStringList& arguments, QString* error);

    // Takes what the command line left open from the environment:
    // TALLYRA_LOCALE and TALLYRA_NOW. (The book folder's variables are read
    // where the folder is located.)
    void fillFromEnvironment(const EnvironmentLookup& environment);
};
