#pragma once

#include "store/FileTime.h"

#include <QString>

// What start-up settles for the rest of a run of the main program and what the
// exit step reads back.
struct RunState {
    // The version text a completed rebuild writes as "Version".
    static constexpr const char* VersionText = "1.2.0.0";

    // The date up to which the future list is built; 0 = it must be rebuilt.
    // Zeroed in the settings at start-up and written back only by an orderly
    // exit, so a run that ends otherwise makes the next start repair.
    FileTime horizon = 0;
    bool skipSave = false;  // the exit step leaves the horizon at 0 (a restore sets it)
    bool quit = false;      // start-up was abandoned; the exit step does nothing
    QString defaultCurrency;
    qint64 activityTicks = 0;  // the clock's tick count when start-up ended
};
