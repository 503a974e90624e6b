#include "accounts/TransactionEditor.h"

#include "accounts/AccountRun.h"
#include "accounts/EditorNextNumber.h"
#include "accounts/EditorPosting.h"
#include "accounts/TransactionChanges.h"
#include "accounts/TransactionDeletion.h"
#include "accounts/TransactionFollowUp.h"
#include "accounts/TransactionInsert.h"
#include "accounts/TransactionLookup.h"
#include "accounts/TransactionUpdate.h"
#include "planning/EditorAmount.h"
#include "planning/EditorNameResolution.h"
#include "planning/PlannerEntry.h"
#include "platform/StoreTransaction.h"
#include "store/SortScope.h"
#include "store/TextLimit.h"

#include <algorithm>
#include <utility>

// The row being edited: its fields as the view shows them, which of them the
// user changed, and what was loaded to compare typed texts against.
struct TransactionEditor::State {
    Mode mode = Mode::None;
    qint64 row = -1;

    QString description;
    QString amountText;
    bool payment = true;
    QString categoryText;
    QString projectText;
    QString contact;
    QString note;
    FileTime date = 0;
    QString number;
    ReconcileMark mark = ReconcileMark::Unreconciled;

    quint32 changed = 0;            // one bit per Field
    bool descriptionTyped = false;  // a new transaction's description no longer follows the category
    std::optional<Field> focus;

    QString key;          // Existing: the transaction's account key
    qint32 category = 0;  // the loaded category and project
    qint32 project = 0;
    qint64 futurePosition = -1;
};

namespace {

quint32 bitOf(TransactionEditor::Field field)
{
    return 1u << static_cast<unsigned>(field);
}

// The calendar day of `day` at the time of day `now` reads.
FileTime atClockTime(FileTime day, FileTime now)
{
    return startOfDay(day) + (now - startOfDay(now));
}

// The key of the transaction written; nullopt when nothing was.
std::optional<QString> written(const TransactionInsert::Result& result)
{
    if (result.outcome != TransactionInsert::Outcome::Written)
        return std::nullopt;
    return result.key;
}

}  // namespace

TransactionEditor::TransactionEditor(EditorContext context, Register& reg)
    : m_context(context), m_register(reg), m_state(std::make_unique<State>())
{
}

TransactionEditor::~TransactionEditor() = default;

FileTime TransactionEditor::now() const
{
    return fileTimeNow(m_context.clock).value_or(minFileTime());
}

// --- loading ---------------------------------------------------------------------

void TransactionEditor::reset(Mode mode, qint64 row)
{
    *m_state = State{};
    m_state->mode = mode;
    m_state->row = row;
}

bool TransactionEditor::load(qint64 row)
{
    const qint64 count = m_register.transactionCount();
    switch (m_register.rowKind(row)) {
    case Register::RowKind::Transaction:
        return loadTransaction(row);
    case Register::RowKind::NewTransaction:
        loadNew();
        return true;
    case Register::RowKind::Future:
        return loadFuture(row - (count + 1));
    case Register::RowKind::Outside:
        break;
    }
    // A register that does not list the future rows still numbers them after
    // the new-transaction row.
    if (m_register.accountId() != 0 && row > count)
        return loadFuture(row - (count + 1));
    reset(Mode::None, -1);
    return false;
}

bool TransactionEditor::loadTransaction(qint64 row)
{
    const std::optional<RegisterEntry> e = m_register.entry(row);
    if (!e) {
        reset(Mode::None, -1);
        return false;
    }
    reset(Mode::Existing, row);
    State& s = *m_state;
    s.key = e->key;
    s.description = e->description;
    s.amountText = EditorAmount::magnitudeText(e->amount, m_context.locale);
    s.payment = e->amount.isNegative();
    s.category = e->category;
    s.project = e->project;
    s.categoryText = m_context.categories.pathOf(e->category);
    s.projectText = m_context.projects.pathOf(e->project);
    s.contact = e->contact;
    s.note = e->note;
    s.date = e->date;
    s.number = e->number;
    s.mark = e->mark;
    return true;
}

void TransactionEditor::loadNew()
{
    reset(Mode::New, m_register.transactionCount());
    State& s = *m_state;
    s.description = QString::fromLatin1(NewDescription);
    s.amountText = moneyText(Money(), m_context.locale);
    s.payment = true;
    s.date = now();
}

bool TransactionEditor::loadFuture(qint64 position)
{
    const std::optional<FutureEntry> entry =
        position >= 0 ? m_context.future.entryAt(position) : std::nullopt;
    if (!entry || m_register.accountId() == 0) {
        reset(Mode::None, -1);
        return false;
    }
    reset(Mode::Future, m_register.transactionCount() + 1 + position);
    State& s = *m_state;
    s.futurePosition = position;
    s.description = entry->description;
    const Money converted =
        m_context.currencies.convert(entry->amount, entry->currency, m_register.currency());
    s.amountText = EditorAmount::magnitudeText(converted, m_context.locale);
    s.payment = entry->amount.isNegative();
    s.date = now();
    s.category = entry->category;
    s.project = entry->project;
    s.categoryText = m_context.categories.pathOf(entry->category);
    s.projectText = m_context.projects.pathOf(entry->project);
    s.note = entry->note;
    // The rest of what the posting takes from the plan.
    SortScope scope(m_context.tables.planner(), Prop::PlannerId);
    if (const auto plan =
            scope.ok() ? PlannerEntry::find(m_context.tables.planner(), entry->plannerId) : std::nullopt) {
        s.contact = plan->contact;
        s.number = plan->number;
        s.mark = plan->mark;
    }
    return true;
}

// clang-format off
TransactionEditor::Mode TransactionEditor::mode() const { return m_state->mode; }
qint64 TransactionEditor::row() const { return m_state->row; }
bool TransactionEditor::isChanged(Field field) const { return (m_state->changed & bitOf(field)) != 0; }
bool TransactionEditor::anyChanged() const { return m_state->changed != 0; }
QString TransactionEditor::key() const { return m_state->key; }
// clang-format on

// --- fields ------------------------------------------------------------------------

// clang-format off
QString TransactionEditor::description() const { return m_state->description; }
QString TransactionEditor::amountText() const { return m_state->amountText; }
bool TransactionEditor::isPayment() const { return m_state->payment; }
QString TransactionEditor::categoryText() const { return m_state->categoryText; }
QString TransactionEditor::projectText() const { return m_state->projectText; }
QString TransactionEditor::contact() const { return m_state->contact; }
QString TransactionEditor::note() const { return m_state->note; }
FileTime TransactionEditor::date() const { return m_state->date; }
QString TransactionEditor::number() const { return m_state->number; }
ReconcileMark TransactionEditor::mark() const { return m_state->mark; }

void TransactionEditor::markChanged(Field field) { m_state->changed |= bitOf(field); }
void TransactionEditor::unmarkChanged(Field field) { m_state->changed &= ~bitOf(field); }
// clang-format on

void TransactionEditor::setDescription(const QString& text)
{
    m_state->description = text;
    m_state->descriptionTyped = true;
    markChanged(Field::Description);
}

void TransactionEditor::setAmountText(const QString& text)
{
    QString magnitude = text;
    if (magnitude.startsWith(u'-')) {
        m_state->payment = !m_state->payment;
        magnitude.remove(0, 1);
    }
    m_state->amountText = magnitude;
    markChanged(Field::Amount);
}

void TransactionEditor::setPayment(bool payment)
{
    m_state->payment = payment;
    markChanged(Field::Amount);
}

void TransactionEditor::setCategoryText(const QString& text)
{
    State& s = *m_state;
    s.categoryText = text;
    markChanged(Field::Category);
    if (s.mode != Mode::New || s.descriptionTyped)
        return;
    // The description follows the category until the user types one.
    if (!text.isEmpty()) {
        s.description = text;
        markChanged(Field::Description);
    } else if (s.description != QLatin1String(NewDescription)) {
        s.description.clear();
        unmarkChanged(Field::Description);
    }
}

void TransactionEditor::setProjectText(const QString& text)
{
    m_state->projectText = text;
    markChanged(Field::Project);
}

void TransactionEditor::setContact(const QString& text)
{
    m_state->contact = text;
    markChanged(Field::Contact);
}

void TransactionEditor::setNote(const QString& text)
{
    m_state->note = text;
    markChanged(Field::Note);
}

void TransactionEditor::setDate(FileTime day)
{
    m_state->date = atClockTime(day, now());
    markChanged(Field::Date);
}

void TransactionEditor::setNumber(const QString& text)
{
    m_state->number = text;
    markChanged(Field::Number);
}

void TransactionEditor::setMark(ReconcileMark mark)
{
    m_state->mark = mark;
    markChanged(Field::Mark);
}

void TransactionEditor::clearField(Field field)
{
    switch (field) {
    case Field::Category:
        setCategoryText({});
        break;
    case Field::Project:
        setProjectText({});
        break;
    case Field::Contact:
        setContact({});
        break;
    case Field::Description:
    case Field::Amount:
    case Field::Note:
    case Field::Date:
    case Field::Mark:
    case Field::Number:
        break;  // these fields are edited, not emptied by a key
    }
}

void TransactionEditor::takeNextNumber()
{
    DbTable& t = m_context.tables.transactions();
    SortScope scope(t, Prop::AccountKey, DbTable::SortKind::Text);
    const AccountRun run = scope.ok() ? AccountRun::locate(t, m_register.accountId()) : AccountRun{};
    setNumber(EditorNextNumber::after(t, run));
}

// --- saving ------------------------------------------------------------------------

std::optional<TransactionEditor::Field> TransactionEditor::focusField() const
{
    return m_state->focus;
}

bool TransactionEditor::foundNothingToSave() const
{
    return m_nothingToSave;
}

TransactionEditor::Result TransactionEditor::save(bool forced)
{
    State& s = *m_state;
    s.focus.reset();
    m_nothingToSave = false;
    if (s.mode == Mode::None)
        return Result::unchanged();
    // OK on an untouched future row posts the occurrence as it stands, today.
    if (s.mode == Mode::Future && !forced && !anyChanged())
        setDate(now());
    if (!anyChanged())
        return Result::unchanged();
    if (const std::optional<Field> tooLong = fieldTooLong()) {
        m_context.ui.showMessage(QString::fromLatin1(TextLimit::TooLongText), Interaction::Icon::Exclamation);
        s.focus = tooLong;
        return Result::refused(tooLong);
    }
    const FileTime moment = now();
    StoreTransaction transaction(*m_context.tables.store());
    if (!transaction.isOpen())
        return Result::failed();
    const std::optional<QString> key = write(forced, moment);
    // Nothing was written: the empty transaction ends without a rollback,
    // which would take down a transaction the caller holds around the save.
    if (!key && m_nothingToSave && transaction.commit())
        return Result::unchanged();
    if (!key || !transaction.commit()) {
        transaction.rollback();
        afterRollback();
        return s.focus ? Result::refused(s.focus) : Result::failed();
    }
    reloadKey(*key);
    return Result::saved();
}

// A text the backup file could not carry would make the book impossible to back up.
std::optional<TransactionEditor::Field> TransactionEditor::fieldTooLong() const
{
    const State& s = *m_state;
    const std::pair<Field, const QString*> texts[] = {{Field::Description, &s.description},
                                                      {Field::Category, &s.categoryText},
                                                      {Field::Project, &s.projectText},
                                                      {Field::Contact, &s.contact},
                                                      {Field::Note, &s.note},
                                                      {Field::Number, &s.number}};
    for (const auto& [field, text] : texts) {
        if (isChanged(field) && !TextLimit::fits(*text))
            return field;
    }
    return std::nullopt;
}

// Name resolution first, then the amount check, then the write of the mode.
// Anything but a full write leaves the caller to roll back.
std::optional<QString> TransactionEditor::write(bool forced, FileTime moment)
{
    State& s = *m_state;
    TransactionChanges changes;
    bool failed = false;
    if (!resolveNames(changes, failed) || failed)
        return {};
    if (isChanged(Field::Description))
        changes.description = s.description;
    if (isChanged(Field::Contact))
        changes.contact = s.contact;
    if (isChanged(Field::Note))
        changes.note = s.note;
    if (isChanged(Field::Number))
        changes.number = s.number;
    if (isChanged(Field::Mark))
        changes.mark = s.mark;
    if (isChanged(Field::Date))
        changes.date = atClockTime(s.date, moment);

    TransactionFollowUp followUp;
    std::optional<QString> result;
    switch (s.mode) {
    case Mode::New:
        result = writeNew(forced, moment, changes, followUp);
        break;
    case Mode::Existing:
        result = writeExisting(moment, changes, followUp);
        break;
    case Mode::Future:
        result = writePosting(moment, changes, followUp);
        break;
    case Mode::None:
        break;
    }
    // A converted amount or a running balance out of range refuses the save.
    if (!result || !followUp.apply(m_context.tables, m_context.totals, m_context.currencies) ||
        followUp.tooLarge()) {
        if (followUp.tooLarge())
            refuseTooLarge();
        return std::nullopt;
    }
    return result;
}

// False when the save stops: "[...]" named no account (the focus goes to the
// category). `failed` is set when making a missing path failed.
bool TransactionEditor::resolveNames(TransactionChanges& changes, bool& failed)
{
    using Outcome = EditorNameResolution::Outcome;
    State& s = *m_state;
    if (isChanged(Field::Category)) {
        const auto r = EditorNameResolution::category(m_context.categories, m_context.ui, s.categoryText,
                                                      s.category, m_register.accountId());
        if (r.outcome == Outcome::Invalid) {
            s.focus = Field::Category;
            return false;
        }
        failed = failed || r.outcome == Outcome::Failed;
        if (r.outcome == Outcome::Resolved)
            changes.category = r.id;
    }
    if (isChanged(Field::Project) && !failed) {
        const auto r =
            EditorNameResolution::project(m_context.projects, m_context.ui, s.projectText, s.project);
        failed = r.outcome == Outcome::Failed;
        if (r.outcome == Outcome::Resolved)
            changes.project = r.id;
    }
    return true;
}

// The typed amount, signed; nullopt (with the message shown and the focus on
// the amount) when it is too large.
std::optional<Money> TransactionEditor::checkedAmount()
{
    const std::optional<Money> amount = EditorAmount::signedAmount(m_state->amountText, m_state->payment);
    if (!amount)
        refuseTooLarge();
    return amount;
}

void TransactionEditor::refuseTooLarge()
{
    m_context.ui.showMessage(QString::fromLatin1(TooLargeText), Interaction::Icon::Exclamation);
    m_state->focus = Field::Amount;
}

std::optional<QString> TransactionEditor::writeNew(bool forced, FileTime moment,
                                                   const TransactionChanges& changes,
                                                   TransactionFollowUp& followUp)
{
    State& s = *m_state;
    Money amount;
    if (!isChanged(Field::Amount)) {
        // OK without an amount asks for one; a forced save takes 0.
        if (!forced) {
            s.focus = Field::Amount;
            return {};
        }
    } else if (forced) {
        // A forced save never stops: a too large amount becomes 0.
        amount = EditorAmount::signedAmount(s.amountText, s.payment).value_or(Money());
    } else if (const std::optional<Money> typed = checkedAmount()) {
        amount = *typed;
    } else {
        return {};
    }
    TransactionDraft draft;
    draft.account = m_register.accountId();
    draft.currency = m_register.currency();
    draft.date = changes.date.value_or(moment);
    draft.description =
        isChanged(Field::Description) ? s.description : QString::fromLatin1(UntitledDescription);
    draft.number = s.number;
    draft.note = s.note;
    draft.contact = s.contact;
    draft.mark = s.mark;
    draft.category = changes.category.value_or(0);
    draft.project = changes.project.value_or(0);
    draft.amount = amount;
    return written(TransactionInsert::save(m_context.tables, m_context.currencies, m_context.conversion,
                                           m_context.locale, draft, moment, followUp));
}

std::optional<QString> TransactionEditor::writeExisting(FileTime moment, TransactionChanges& changes,
                                                        TransactionFollowUp& followUp)
{
    if (isChanged(Field::Amount)) {
        changes.amount = checkedAmount();
        if (!changes.amount)
            return {};
    }
    // A field set to the value it holds, or a question answered No, can
    // leave nothing to write.
    if (!changes.any()) {
        m_nothingToSave = true;
        return {};
    }
    return written(TransactionUpdate::save(m_context.tables, m_context.currencies, m_context.conversion,
                                           m_context.locale, m_state->key, m_register.currency(), changes,
                                           moment, followUp));
}

std::optional<QString> TransactionEditor::writePosting(FileTime moment, TransactionChanges& changes,
                                                       TransactionFollowUp& followUp)
{
    EditorPosting::Request request;
    if (isChanged(Field::Amount)) {
        request.typed = checkedAmount();
        if (!request.typed)
            return {};
    }
    request.position = m_state->futurePosition;
    request.account = m_register.accountId();
    request.currency = m_register.currency();
    request.payment = m_state->payment;
    request.changes = changes;
    return written(EditorPosting::post(m_context, request, moment, followUp));
}

void TransactionEditor::afterRollback()
{
    // A rate confirmed and paths made inside the rolled-back transaction are
    // gone from the book; the cache and the id counters must forget them too.
    m_context.currencies.reload();
    m_context.tables.categories().forgetAllocatedId();
    m_context.tables.projects().forgetAllocatedId();
    m_register.refresh();
}

bool TransactionEditor::reloadKey(const QString& key)
{
    m_register.refresh();
    const std::optional<qint64> index =
        TransactionLookup::indexOf(m_context.tables.transactions(), m_register.accountId(), key);
    if (index && load(*index))
        return true;
    reset(Mode::None, -1);
    return false;
}

void TransactionEditor::cancel()
{
    const State& s = *m_state;
    switch (s.mode) {
    case Mode::Existing:
        if (!reloadKey(s.key))
            load(s.row);
        break;
    case Mode::New:
        load(m_register.transactionCount());
        break;
    case Mode::Future:
        loadFuture(s.futurePosition);
        break;
    case Mode::None:
        break;
    }
}

// --- deleting ----------------------------------------------------------------------

bool TransactionEditor::deleteRow()
{
    const State& s = *m_state;
    if (s.mode != Mode::Existing && s.mode != Mode::Future)
        return false;
    const bool future = s.mode == Mode::Future;
    if (!m_context.ui.askYesNo(QString::fromLatin1(future ? DeleteFutureQuestion : DeleteQuestion)))
        return false;
    const qint64 row = s.row;
    const FileTime moment = now();
    StoreTransaction transaction(*m_context.tables.store());
    TransactionFollowUp followUp;
    const bool done =
        transaction.isOpen() &&
        (future ? EditorPosting::dismiss(m_context, s.futurePosition, m_register.currency(), moment)
                : TransactionDeletion::remove(m_context.tables, s.key, moment, followUp) &&
                      followUp.apply(m_context.tables, m_context.totals, m_context.currencies));
    if (!done || !transaction.commit()) {
        transaction.rollback();
        afterRollback();
        return false;
    }
    // The row that took the removed one's place, else the new-transaction row.
    m_register.refresh();
    if (!load(row))
        load(m_register.transactionCount());
    return true;
}
