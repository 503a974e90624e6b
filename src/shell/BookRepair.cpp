#include "shell/BookRepair.h"

#include "accounts/BalanceRecalc.h"

bool BookRepair::run(MainBook& book, FileTime now, Interaction& ui)
{
    TableSet& tables = book.tables();
    ui.showStatus(TableSet::ReindexText);
    tables.reindexAll(&ui);
    bool ok = tables.setWorkingSorts();
    ui.showStatus(QString::fromLatin1(RecalcText));
    ok = BalanceRecalc(tables).recalcAll() && ok;
    ui.showStatus(QString::fromLatin1(ProjectTotals::UpdateText));
    ok = book.updateAllProjectTotals() && ok;
    ui.showStatus(QString::fromLatin1(FutureList::UpdatingText));
    ok = book.future().build(now, true) && ok;
    return ok;
}
