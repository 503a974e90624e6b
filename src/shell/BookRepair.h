#pragma once

// "repair": the start-up's repair path run on demand over an open book, in
// its order: every index rebuilt (the progress label names each table), the
// cursors back in their working orders, transactions filed under the wrong
// account filed again where the record tells which is right, the running
// balances and total of every account recalculated, every project's totals
// recomputed, and the future list regenerated up to now.

#include "platform/Interaction.h"
#include "shell/MainBook.h"
#include "store/FileTime.h"

class BookRepair {
public:
    static constexpr const char* RecalcText = "Recalc Balance...";

    // `now` is the local clock's reading. Every step runs even when an earlier
    // one failed, so as much as possible is mended; false when any failed.
    static bool run(MainBook& book, FileTime now, Interaction& ui);
};
