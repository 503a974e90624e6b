#pragma once

#include "shell/CliCommandTable.h"
#include "shell/MainBook.h"

#include <QStringList>

// tallyra-cli check: prints each broken invariant of the book; exit 1 when
// there is one. The invariants: the accounts' (running balances and totals,
// key uniqueness and format, transfer links both ways: AccountCheck), the
// project totals of valid projects and the project keys (ProjectTotalsCheck),
// and the future list against the planner at the run's horizon
// (FutureListCheck).
class CheckCommand {
public:
    static void addTo(CliCommandTable& table);

    // Every problem of the open book, accounts first; none when it is sound.
    // Reads only: nothing is written.
    static QStringList bookProblems(MainBook& book);
};
