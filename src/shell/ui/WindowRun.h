#pragma once

// One run of the window program: the options and environment read as
// tallyra-cli reads them (--data, --locale, --codepage, --now; TALLYRA_HOME,
// TALLYRA_LOCALE, TALLYRA_NOW), start-up with its status texts in the splash,
// the main window until Exit or a quit signal, then the exit step. A file
// after the options (a QIF file or a backup) is offered once the window is
// up; while another run has the book, that run is handed the file instead.

#include "shell/CliOptions.h"

#include <QStringList>

class WindowRun {
public:
    static constexpr const char* CreatingWindowText = "Creating main window...";
    static constexpr const char* UsageText =
        "usage: tallyra [--data DIR] [--locale NAME] [--codepage NAME] [--now YYYY-MM-DDTHH:MM:SS[.mmm]] "
        "[FILE.qif|FILE.tyb]\n";

    // The arguments after the program name. Returns the process's exit status.
    static int run(const QStringList& arguments, const EnvironmentLookup& environment);
};
