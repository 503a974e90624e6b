#include "shell/MainDatabaseClearing.h"

DatabaseClearing::Outcome MainDatabaseClearing::run(MainBook& book, Interaction& ui)
{
    const QString folder = book.folder().path();
    DatabaseClearing clearing(book.tables(),
                              [folder] { return DatabaseClearing::reportProgramHolds(folder); });
    const DatabaseClearing::Outcome outcome = clearing.clear(ui);
    if (outcome == DatabaseClearing::Outcome::Cleared)
        book.state().horizon = 0;
    return outcome;
}
