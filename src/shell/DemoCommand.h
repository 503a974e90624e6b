#pragma once

#include "platform/Clock.h"
#include "platform/LocaleValues.h"
#include "shell/CliCommandTable.h"
#include "shell/MainBook.h"

#include <QString>

// tallyra-cli demo: fills an empty book with a small example for a first
// look: "Cash" and "Checking" in US dollars and "Savings" in euros, the last
// few months of salary, rent, shopping and bills with categories and
// projects, transfers (one of them between the two currencies every month),
// and plans (monthly rent and salary, a quarterly insurance, a gym
// membership in euros, a one-time purchase, a bill that is already due),
// with the future list shown a month ahead. Everything is dated from the
// clock's today and written through the same logic the windows use.
// A book that has an account is refused.
class DemoCommand {
public:
    static void addTo(CliCommandTable& table);

    // Fills the open book, whose only account is the first one ("Cash", made
    // at start-up), in one store transaction. False with `error` set when
    // anything was refused or failed; nothing of the example is kept then.
    static bool fill(MainBook& book, const Clock& clock, const LocaleValues& locale, QString* error);
};
