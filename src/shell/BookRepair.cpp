#include "shell/BookRepair.h"

#include "accounts/BalanceRecalc.h"
#include "accounts/MisfiledTransactionRepair.h"

bool BookRepair::run(MainBook& book, FileTime now, Interaction& ui)
{
    TableSet& tables = book.tables();
    ui.showStatus(TableSet::ReindexText);
    tables.reindexAll(&ui);
    bool ok = tables.setWorkingSorts();
    // Before the balances: a transaction filed again counts in its account's run.
    ok = MisfiledTransactionRepair(tables).run().has_value() && ok;
    ui.showStatus(QString::fromLatin1(RecalcText));
    ok = BalanceRecalc(tables).recalcAll() && ok;
    ui.showStatus(QString::fromLatin1(ProjectTotals::UpdateText));
    ok = book.updateAllProjectTotals() && ok;
    ui.showStatus(QString::fromLatin1(FutureList::UpdatingText));
    ok = book.future().build(now, true) && ok;
    return ok;
}
