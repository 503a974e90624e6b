#pragma once

// One run of the report program's window: the options and environment read
// as tallyra-cli reads them (--data, --locale, --now, --codepage;
// TALLYRA_HOME, TALLYRA_LOCALE, TALLYRA_NOW), one run per book, start-up with
// its status texts in the start-up dialog, the main program's password when
// it is set, the window until Exit, then the orderly end. A filter file after
// the options is loaded once the window is up; while another run has the
// book, that run is handed the file instead.

#include "shell/CliOptions.h"

#include <QStringList>

class SumoraRun {
public:
    static constexpr const char* UsageText =
        "usage: sumora [--data DIR] [--locale NAME] [--now YYYY-MM-DDTHH:MM:SS[.mmm]] [--codepage NAME] "
        "[FILE.tyf]\n";

    // The arguments after the program name. Returns the process's exit status.
    static int run(const QStringList& arguments, const EnvironmentLookup& environment);
};
