#include "planning/PlannerEditor.h"

#include "planning/EditorAmount.h"
#include "planning/EditorNameResolution.h"
#include "planning/RecurrenceRule.h"
#include "platform/StoreTransaction.h"
#include "store/SortScope.h"
#include "store/TextLimit.h"

#include <utility>

namespace {

// `day`'s calendar day at the time of day of `now`: a date picked for a plan
// keeps the moment of the day it was picked at, as a transaction's date does.
FileTime dayAtTimeOf(FileTime day, FileTime now)
{
    return startOfDay(day) + (now - startOfDay(now));
}

}  // namespace

PlannerEditor::PlannerEditor(PlannerEditorContext context) : m_context(context)
{
}

bool PlannerEditor::isChanged(Field field) const
{
    return (m_changed & (1u << static_cast<unsigned>(field))) != 0;
}

FileTime PlannerEditor::now() const
{
    return fileTimeNow(m_context.clock).value_or(0);
}

bool PlannerEditor::load(qint32 id)
{
    DbTable& planner = m_context.tables.planner();
    std::optional<PlannerEntry> found;
    {
        SortScope scope(planner, Prop::PlannerId);
        if (scope.ok())
            found = PlannerEntry::find(planner, id);
    }
    if (!found)
        return false;
    m_mode = Mode::Existing;
    m_entry = *found;
    m_amountText = EditorAmount::magnitudeText(m_entry.amount, m_context.locale);
    m_payment = m_entry.amount.isNegative();
    m_categoryText = m_context.categories.pathOf(m_entry.category);
    m_projectText = m_context.projects.pathOf(m_entry.project);
    m_start = m_entry.nextDate != 0 ? m_entry.nextDate : m_entry.start;
    m_changed = 0;
    m_focus.reset();
    return true;
}

void PlannerEditor::loadNew(const QString& currency)
{
    m_mode = Mode::New;
    m_newCurrency = currency;
    m_entry = PlannerEntry();
    m_entry.description = QString::fromLatin1(NewDescription);
    m_entry.currency = currency;
    m_entry.rule = RecurrenceRule::OnlyOnce;
    m_entry.entries = RecurrenceRule::entriesForNewRule(RecurrenceRule::OnlyOnce);
    m_amountText = moneyText(Money(), m_context.locale);
    m_payment = true;
    m_categoryText.clear();
    m_projectText.clear();
    m_start = now();
    m_changed = 0;
    m_focus.reset();
}

qint32 PlannerEditor::reminderDays() const
{
    return ScheduleCounts::daysOfMinutes(m_entry.reminderMinutes);
}

// --- edits ---------------------------------------------------------------------------

void PlannerEditor::setDescription(const QString& text)
{
    m_entry.description = text;
    setChanged(Field::Description);
}

void PlannerEditor::setAmountText(const QString& text)
{
    if (text.startsWith(u'-')) {
        m_payment = !m_payment;
        m_amountText = text.mid(1);
    } else {
        m_amountText = text;
    }
    setChanged(Field::Amount);
}

void PlannerEditor::setPayment(bool payment)
{
    m_payment = payment;
    setChanged(Field::Amount);
}

void PlannerEditor::setAmount(Money amount)
{
    m_amountText = EditorAmount::magnitudeText(amount, m_context.locale);
    m_payment = amount.isNegative();
    setChanged(Field::Amount);
}

bool PlannerEditor::setCurrency(const QString& code)
{
    // Codes are stored in upper case; the list offers no other form.
    const QString upper = code.trimmed().toUpper();
    if (m_mode == Mode::Existing || !m_context.currencies.contains(upper))
        return false;
    m_entry.currency = upper;
    setChanged(Field::Currency);
    return true;
}

void PlannerEditor::setCategoryText(const QString& text)
{
    m_categoryText = text;
    setChanged(Field::Category);
}

void PlannerEditor::setProjectText(const QString& text)
{
    m_projectText = text;
    setChanged(Field::Project);
}

void PlannerEditor::setContact(const QString& text)
{
    m_entry.contact = text;
    setChanged(Field::Contact);
}

void PlannerEditor::setNote(const QString& text)
{
    m_entry.note = text;
    setChanged(Field::Note);
}

void PlannerEditor::setNumber(const QString& text)
{
    m_entry.number = text;
    setChanged(Field::Number);
}

void PlannerEditor::setMark(ReconcileMark mark)
{
    m_entry.mark = mark;
    setChanged(Field::Mark);
}

CorrectedCount PlannerEditor::setReminderDaysText(const QString& text)
{
    const CorrectedCount days = ScheduleCounts::reminderDays(text);
    m_entry.reminderMinutes = ScheduleCounts::minutesOfDays(days.value);
    setChanged(Field::Reminder);
    return days;
}

void PlannerEditor::setRule(qint32 kind)
{
    if (!RecurrenceRule::isKnown(kind))
        return;
    m_entry.rule = kind;
    m_entry.entries = RecurrenceRule::entriesForNewRule(kind);
    setChanged(Field::Schedule);
}

CorrectedCount PlannerEditor::setEntriesText(const QString& text)
{
    const CorrectedCount count = ScheduleCounts::entries(text);
    if (m_entry.rule != RecurrenceRule::OnlyOnce) {
        m_entry.entries = count.value;
        setChanged(Field::Schedule);
    }
    return count;
}

void PlannerEditor::setOngoing()
{
    if (m_entry.rule == RecurrenceRule::OnlyOnce)
        return;
    m_entry.entries = RecurrenceRule::Ongoing;
    setChanged(Field::Schedule);
}

void PlannerEditor::setStartDate(FileTime day)
{
    m_start = dayAtTimeOf(day, now());
    setChanged(Field::Date);
}

void PlannerEditor::clearField(Field field)
{
    switch (field) {
    case Field::Category:
        setCategoryText(QString());
        break;
    case Field::Project:
        setProjectText(QString());
        break;
    case Field::Contact:
        setContact(QString());
        break;
    default:
        break;
    }
}

void PlannerEditor::cancel()
{
    if (m_mode == Mode::Existing && load(m_entry.id))
        return;
    if (m_mode == Mode::New)
        loadNew(m_newCurrency);
}

// --- saving ----------------------------------------------------------------------------

PlannerEditor::Result PlannerEditor::refuse(Field field)
{
    m_focus = field;
    return Result::refused(field);
}

std::optional<Money> PlannerEditor::typedAmount()
{
    const std::optional<Money> amount = EditorAmount::signedAmount(m_amountText, m_payment);
    if (!amount)
        m_context.ui.showMessage(QString::fromLatin1(TooLargeText), Interaction::Icon::Exclamation);
    return amount;
}

// The typed category and project texts as ids, made when missing and the
// user agrees; a No keeps the field as it was. nullopt stops the save: with
// the focus on the category for a "[...]" naming no account, without one when
// a path could not be made.
std::optional<PlannerEditor::Resolved> PlannerEditor::resolveNames()
{
    using Outcome = EditorNameResolution::Outcome;
    Resolved ids{m_entry.category, m_entry.project};
    if (isChanged(Field::Category)) {
        const auto r = EditorNameResolution::category(m_context.categories, m_context.ui, m_categoryText,
                                                      ids.category, 0);
        if (r.outcome == Outcome::Invalid)
            m_focus = Field::Category;
        if (r.outcome == Outcome::Invalid || r.outcome == Outcome::Failed)
            return std::nullopt;
        if (r.outcome == Outcome::Resolved)
            ids.category = r.id;
    }
    if (isChanged(Field::Project)) {
        const auto r =
            EditorNameResolution::project(m_context.projects, m_context.ui, m_projectText, ids.project);
        if (r.outcome == Outcome::Failed)
            return std::nullopt;
        if (r.outcome == Outcome::Resolved)
            ids.project = r.id;
    }
    return ids;
}

// The list is rebuilt up to the horizon it already reaches; before any build
// (horizon 0) up to today, so a new plan due today shows at once.
FileTime PlannerEditor::rebuildTarget() const
{
    const FileTime horizon = m_context.future.horizon();
    return horizon != 0 ? horizon : now();
}

PlannerEditor::Result PlannerEditor::save()
{
    m_focus.reset();
    // A text the backup file could not carry would make the book impossible to back up.
    const std::pair<Field, const QString*> texts[] = {{Field::Description, &m_entry.description},
                                                      {Field::Category, &m_categoryText},
                                                      {Field::Project, &m_projectText},
                                                      {Field::Contact, &m_entry.contact},
                                                      {Field::Note, &m_entry.note},
                                                      {Field::Number, &m_entry.number}};
    for (const auto& [field, text] : texts) {
        if (isChanged(field) && !TextLimit::fits(*text)) {
            m_context.ui.showMessage(QString::fromLatin1(TextLimit::TooLongText),
                                     Interaction::Icon::Exclamation);
            return refuse(field);
        }
    }
    switch (m_mode) {
    case Mode::New:
        return saveNew();
    case Mode::Existing:
        return saveExisting();
    case Mode::None:
        break;
    }
    return Result::unchanged();
}

PlannerEditor::Result PlannerEditor::saveNew()
{
    if (!isChanged(Field::Description))
        return refuse(Field::Description);
    if (!isChanged(Field::Amount))
        return refuse(Field::Amount);
    const std::optional<Money> amount = typedAmount();
    if (!amount)
        return refuse(Field::Amount);
    ObjectStore* store = m_context.tables.store();
    if (!store)
        return Result::failed();
    StoreTransaction transaction(*store);
    if (!transaction.isOpen())
        return Result::failed();
    const std::optional<Resolved> ids = resolveNames();
    if (!ids)
        return m_focus ? Result::refused(m_focus) : Result::failed();
    PlannerEntry plan = m_entry;
    plan.id = m_context.tables.nextPlannerId();
    plan.amount = *amount;
    plan.category = ids->category;
    plan.project = ids->project;
    plan.start = m_start;
    plan.nextDate = m_start;
    plan.completed = 0;
    plan.stopped = false;
    if (plan.id == 0 || !writeNew(plan) || !m_context.future.build(rebuildTarget(), true) ||
        !transaction.commit())
        return Result::failed();
    (void)load(plan.id);
    return Result::saved();
}

bool PlannerEditor::writeNew(const PlannerEntry& plan)
{
    DbTable& planner = m_context.tables.planner();
    planner.beginNew();
    planner.setInt(Prop::PlannerId, plan.id);
    planner.setText(Prop::Name, plan.description);
    planner.setInt64(Prop::Date, plan.start);
    planner.setInt64(Prop::NextDate, plan.nextDate);
    planner.setInt64(Prop::Amount, plan.amount.hundredths());
    planner.setText(Prop::CurrencyCode, plan.currency);
    planner.setInt(Prop::CategoryId, plan.category);
    if (plan.project > 0)
        planner.setInt(Prop::ProjectId, plan.project);
    if (!plan.contact.isEmpty())
        planner.setText(Prop::Contact, plan.contact);
    if (!plan.note.isEmpty())
        planner.setText(Prop::Note, plan.note);
    if (!plan.number.isEmpty())
        planner.setText(Prop::Number, plan.number);
    planner.setInt(Prop::Mark, static_cast<qint32>(plan.mark));
    planner.setInt(Prop::ReminderMinutes, plan.reminderMinutes);
    planner.setInt(Prop::Recurrence, plan.rule);
    return planner.setInt(Prop::Entries, plan.entries, true);
}

PlannerEditor::Result PlannerEditor::saveExisting()
{
    if (!anyChanged())
        return Result::unchanged();
    std::optional<Money> amount;
    if (isChanged(Field::Amount)) {
        amount = typedAmount();
        if (!amount)
            return refuse(Field::Amount);
    }
    ObjectStore* store = m_context.tables.store();
    if (!store)
        return Result::failed();
    StoreTransaction transaction(*store);
    if (!transaction.isOpen())
        return Result::failed();
    std::optional<PlannerEntry> stored;
    {
        SortScope scope(m_context.tables.planner(), Prop::PlannerId);
        if (scope.ok())
            stored = PlannerEntry::find(m_context.tables.planner(), m_entry.id);
    }
    if (!stored)
        return Result::failed();
    const std::optional<Resolved> ids = resolveNames();
    if (!ids)
        return m_focus ? Result::refused(m_focus) : Result::failed();

    PlannerEntry plan = *stored;
    if (amount)
        plan.amount = *amount;
    plan.category = ids->category;
    plan.project = ids->project;
    if (isChanged(Field::Description))
        plan.description = m_entry.description;
    if (isChanged(Field::Contact))
        plan.contact = m_entry.contact;
    if (isChanged(Field::Note))
        plan.note = m_entry.note;
    if (isChanged(Field::Number))
        plan.number = m_entry.number;
    if (isChanged(Field::Mark))
        plan.mark = m_entry.mark;
    if (isChanged(Field::Reminder))
        plan.reminderMinutes = m_entry.reminderMinutes;
    schedule(*stored, plan);
    // A lower amount can leave an occurrence covered by its partial postings:
    // it is complete now, and the plan moves past it.
    if (!writeChanges(*stored, plan) || !m_context.future.completeOccurrences(plan.id) ||
        !m_context.future.build(rebuildTarget(), true) || !transaction.commit())
        return Result::failed();
    (void)load(plan.id);
    return Result::saved();
}

// The schedule after an edit. A finished plan stays as it is, stopped. An edit
// that leaves rule, number of entries and start alone keeps the dates where
// they are: re-basing on the next open date would move a rule anchored at the
// start (monthly from the 31st) onto whatever day that occurrence fell. Any
// other edit re-bases the plan on its next open occurrence (or the date chosen
// now) and counts its entries afresh from there.
void PlannerEditor::schedule(const PlannerEntry& stored, PlannerEntry& plan) const
{
    if (stored.isFinished()) {
        plan.stopped = true;
        return;
    }
    plan.stopped = false;
    if (!isChanged(Field::Schedule) && !isChanged(Field::Date))
        return;
    const bool sameRule = !isChanged(Field::Schedule) || m_entry.rule == stored.rule;
    plan.rule = m_entry.rule;
    plan.entries = m_entry.entries;
    // With the rule kept, the number typed counts from the plan's start, so
    // what stays open is that number less the completed ones.
    if (sameRule && plan.entries > 0) {
        plan.entries -= stored.completed;
        if (plan.entries < 1) {
            // Nothing left open: the plan ends with what it has completed.
            plan.entries = stored.completed;
            plan.stopped = true;
            return;
        }
    }
    plan.start = isChanged(Field::Date) ? m_start : (stored.nextDate != 0 ? stored.nextDate : stored.start);
    plan.nextDate = plan.start;
    plan.completed = 0;
}

// Only the properties whose value moves are written, in one store write.
bool PlannerEditor::writeChanges(const PlannerEntry& stored, const PlannerEntry& plan)
{
    PropList changes;
    const auto text = [&](quint16 id, const QString& was, const QString& now) {
        if (was != now)
            changes.push_back(PropValue::ofText(id, now));
    };
    const auto integer = [&](quint16 id, qint32 was, qint32 now) {
        if (was != now)
            changes.push_back(PropValue::ofInt(id, now));
    };
    const auto wide = [&](quint16 id, qint64 was, qint64 now) {
        if (was != now)
            changes.push_back(PropValue::ofInt64(id, now));
    };
    text(Prop::Name, stored.description, plan.description);
    wide(Prop::Amount, stored.amount.hundredths(), plan.amount.hundredths());
    integer(Prop::CategoryId, stored.category, plan.category);
    integer(Prop::ProjectId, stored.project, plan.project);
    text(Prop::Contact, stored.contact, plan.contact);
    text(Prop::Note, stored.note, plan.note);
    text(Prop::Number, stored.number, plan.number);
    integer(Prop::Mark, static_cast<qint32>(stored.mark), static_cast<qint32>(plan.mark));
    integer(Prop::ReminderMinutes, stored.reminderMinutes, plan.reminderMinutes);
    integer(Prop::Recurrence, stored.rule, plan.rule);
    integer(Prop::Entries, stored.entries, plan.entries);
    wide(Prop::Date, stored.start, plan.start);
    wide(Prop::NextDate, stored.nextDate, plan.nextDate);
    integer(Prop::Completed, stored.completed, plan.completed);
    integer(Prop::Stopped, stored.stopped ? 1 : 0, plan.stopped ? 1 : 0);
    DbTable& planner = m_context.tables.planner();
    SortScope scope(planner, Prop::PlannerId);
    if (!scope.ok() || !PlannerEntry::find(planner, stored.id))
        return false;
    return planner.setValues(changes);
}
