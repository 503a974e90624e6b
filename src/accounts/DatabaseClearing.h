#pragma once

// "Database Clearing...": every record of the book goes, except the
// password-lock record, which keeps the lock in place for the next start. The
// run ends afterwards; the next start finds empty tables and runs the
// first-run initialisation (root project, default categories, first account).
//
// All of it in one store transaction: the book is cleared whole or not at all.
// It is refused while the report program has the same book open, since that
// program would go on showing (and could write into) records that are gone.

#include "platform/Interaction.h"
#include "store/TableSet.h"

#include <functional>

class DatabaseClearing {
public:
    static constexpr const char* QuestionText = "All program data will be lost! Do you wish to continue?";
    static constexpr const char* ReportProgramRunningText = "Please, quit programm \"Sumora\"";

    enum class Outcome {
        Cleared,               // the caller ends the run now
        Declined,              // the user answered No; nothing changed
        ReportProgramRunning,  // ReportProgramRunningText was shown; nothing changed
        Failed,                // a write failed; nothing changed
    };

    // `reportProgramRunning` tells whether the report program holds the book
    // now; none given, it never does.
    explicit DatabaseClearing(TableSet& tables, std::function<bool()> reportProgramRunning = {})
        : m_tables(tables), m_reportProgramRunning(std::move(reportProgramRunning))
    {
    }

    // Refuses while the report program runs, then asks QuestionText (No is the
    // default), then clears. There is no second confirmation.
    Outcome clear(Interaction& ui);

    // Whether the report program's lock in the book folder is held.
    static bool reportProgramHolds(const QString& bookFolder);

private:
    bool clearAll();
    // Every record of `table`, or every one not of the password-lock account.
    static bool deleteRecords(DbTable& table, bool keepPasswordLock);

    TableSet& m_tables;
    std::function<bool()> m_reportProgramRunning;
};
