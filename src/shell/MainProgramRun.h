#pragma once

// One tallyra-cli command run as the main program: the start-up sequence, the
// command, the exit step. Like a second start of the window program, it is
// refused (exit 1) while another run holds the book.

#include "shell/CliContext.h"
#include "shell/FirstAccountSource.h"
#include "shell/MainBook.h"

#include <functional>

class MainProgramRun {
public:
    using Command = std::function<int(MainBook& book)>;

    explicit MainProgramRun(CliContext& context) : m_context(context) {}

    // `firstAccount` answers start-up on a book without accounts; none given,
    // such a book is refused. Returns a CliExit status: the command's, or
    // CliFailed when start-up did not end ready.
    int run(const Command& command, FirstAccountSource* firstAccount = nullptr);

private:
    bool checkPassword(MainBook& book);

    CliContext& m_context;
};
