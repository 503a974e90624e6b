#pragma once

// The exit status of tallyra-cli, which scripts depend on.
enum CliExit {
    CliDone = 0,
    CliFailed = 1,    // the command failed or was refused; the reason is on stderr
    CliBadUsage = 2,  // unknown option or command, malformed value
};
