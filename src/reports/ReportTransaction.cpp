#include "reports/ReportTransaction.h"

#include "store/DbTable.h"
#include "store/RecordLayout.h"

ReportTransaction ReportTransaction::read(const DbTable& transactions)
{
    ReportTransaction t;
    t.record = transactions.recordId();
    t.account = transactions.getInt(Prop::AccountId);
    t.date = transactions.getInt64(Prop::Date);
    t.amount = Money::fromHundredths(transactions.getInt64(Prop::Amount));
    t.currency = transactions.getText(Prop::CurrencyCode);
    t.category = transactions.getInt(Prop::CategoryId);
    t.project = transactions.getInt(Prop::ProjectId);
    t.description = transactions.getText(Prop::Name);
    return t;
}
