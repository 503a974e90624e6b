#include "planning/FutureListRecord.h"

#include "planning/TextMacros.h"
#include "store/KeyText.h"
#include "store/RecordLayout.h"

FutureEntry FutureListRecord::read(const DbTable& scheduled)
{
    FutureEntry e;
    e.position = scheduled.position();
    e.record = scheduled.recordId();
    e.plannerId = scheduled.getInt(Prop::PlannerId);
    e.date = scheduled.getInt64(Prop::Date);
    e.description = scheduled.getText(Prop::Name);
    e.note = scheduled.getText(Prop::Note);
    e.amount = Money::fromHundredths(scheduled.getInt64(Prop::Amount));
    e.fullAmount = Money::fromHundredths(scheduled.getInt64(Prop::FullAmount));
    e.currency = scheduled.getText(Prop::CurrencyCode);
    e.category = scheduled.getInt(Prop::CategoryId);
    e.project = scheduled.getInt(Prop::ProjectId);
    e.projectKey = scheduled.getText(Prop::ProjectKey);
    e.reminderMinutes = scheduled.getInt(Prop::ReminderMinutes);
    e.reminded = scheduled.getInt(Prop::Reminded) != 0;
    return e;
}

bool FutureListRecord::add(DbTable& scheduled, const PlannerEntry& plan, const ExpectedOccurrence& occurrence,
                           const QLocale& locale)
{
    scheduled.beginNew();
    bool ok = scheduled.setInt(Prop::PlannerId, plan.id) && scheduled.setInt64(Prop::Date, occurrence.date) &&
              scheduled.setText(Prop::Name, TextMacros::expand(plan.description, occurrence.date, locale)) &&
              scheduled.setInt64(Prop::Amount, occurrence.amount.hundredths()) &&
              scheduled.setText(Prop::CurrencyCode, plan.currency);
    if (ok && !plan.note.isEmpty())
        ok = scheduled.setText(Prop::Note, TextMacros::expand(plan.note, occurrence.date, locale));
    if (ok && !occurrence.fullAmount.isZero())
        ok = scheduled.setInt64(Prop::FullAmount, occurrence.fullAmount.hundredths());
    if (ok && plan.category != 0)
        ok = scheduled.setInt(Prop::CategoryId, plan.category);
    if (ok && plan.project > 0)
        ok = scheduled.setInt(Prop::ProjectId, plan.project) &&
             scheduled.setText(Prop::ProjectKey, fullKey(plan.project, occurrence.date));
    if (ok && plan.reminderMinutes >= 1)
        ok = scheduled.setInt(Prop::ReminderMinutes, plan.reminderMinutes);
    // The reminded flag starts clear (absent); writing it commits the record.
    return ok && scheduled.setInt(Prop::Reminded, 0, true);
}
