#include "store/TransactionRecord.h"

#include "store/DbTable.h"

#include <algorithm>

TransactionRecord TransactionRecord::read(const DbTable& t)
{
    TransactionRecord r;
    r.key = t.getText(Prop::AccountKey);
    r.account = t.getInt(Prop::AccountId);
    r.date = t.getInt64(Prop::Date);
    r.number = t.getText(Prop::Number);
    r.description = t.getText(Prop::Name);
    r.amount = Money::fromHundredths(t.getInt64(Prop::Amount));
    r.balance = Money::fromHundredths(t.getInt64(Prop::Balance));
    r.mark = static_cast<ReconcileMark>(std::clamp(t.getInt(Prop::Mark), 0, 2));
    r.category = t.getInt(Prop::CategoryId);
    r.project = t.getInt(Prop::ProjectId);
    r.contact = t.getText(Prop::Contact);
    r.note = t.getText(Prop::Note);
    r.link = t.getText(Prop::TransferLink);
    r.plannerId = t.getInt(Prop::PlannerId);
    r.plannerKey = t.getText(Prop::PlannerKey);
    r.currency = t.getText(Prop::CurrencyCode);
    return r;
}
