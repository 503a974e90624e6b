#include "shell/StartUpRepair.h"

#include "platform/StoreTransaction.h"
#include "reference/CurrencyStartUp.h"
#include "store/RecordLayout.h"
#include "store/SortScope.h"

bool StartUpRepair::normaliseCodes(TableSet& tables)
{
    StoreTransaction transaction(*tables.store());
    return transaction.isOpen() && upperCaseCodes(tables.transactions()) &&
           CurrencyStartUp::repairRecords(tables.currencies()) && upperCaseCodes(tables.planner()) &&
           upperCaseCodes(tables.accounts()) && transaction.commit();
}

bool StartUpRepair::upperCaseCodes(DbTable& table)
{
    // Creation order: the code is no sort property there, so nothing moves.
    SortScope scope(table, 0, DbTable::SortKind::None);
    if (!scope.ok())
        return false;
    const qint64 total = table.count();
    for (qint64 p = 0; p < total; ++p) {
        if (!table.moveTo(p))
            return false;
        const QString code = table.getText(Prop::CurrencyCode);
        const QString upper = code.toUpper();
        if (upper != code && !table.setText(Prop::CurrencyCode, upper))
            return false;
    }
    return true;
}
