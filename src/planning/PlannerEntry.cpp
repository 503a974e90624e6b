#include "planning/PlannerEntry.h"

PlannerEntry PlannerEntry::read(const DbTable& planner)
{
    PlannerEntry e;
    e.id = planner.getInt(Prop::PlannerId);
    e.start = planner.getInt64(Prop::Date);
    e.description = planner.getText(Prop::Name);
    e.amount = Money::fromHundredths(planner.getInt64(Prop::Amount));
    e.currency = planner.getText(Prop::CurrencyCode);
    e.category = planner.getInt(Prop::CategoryId);
    e.project = planner.getInt(Prop::ProjectId);
    e.contact = planner.getText(Prop::Contact);
    e.note = planner.getText(Prop::Note);
    e.number = planner.getText(Prop::Number);
    e.mark = static_cast<ReconcileMark>(planner.getInt(Prop::Mark));
    e.rule = planner.getInt(Prop::Recurrence);
    e.nextDate = planner.getInt64(Prop::NextDate);
    e.completed = planner.getInt(Prop::Completed);
    e.entries = planner.getInt(Prop::Entries);
    e.reminderMinutes = planner.getInt(Prop::ReminderMinutes);
    e.stopped = planner.getInt(Prop::Stopped) == 1;
    return e;
}

std::optional<PlannerEntry> PlannerEntry::find(DbTable& planner, qint32 id)
{
    if (id == 0 || !planner.seekInt(SeekKind::Equal, id))
        return std::nullopt;
    return read(planner);
}
