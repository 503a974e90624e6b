#include "shell/ExitStep.h"

void ExitStep::run(MainBook& book)
{
    const RunState& state = book.state();
    if (state.quit)
        return;
    if (!state.skipSave)
        book.settings().setFutureHorizon(state.horizon);
    book.currencies().clear();
    book.tables().closeAll();
}
