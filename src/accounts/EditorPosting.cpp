#include "accounts/EditorPosting.h"

#include "accounts/TransactionLookup.h"
#include "accounts/TransactionWriter.h"
#include "accounts/TransferCounterpart.h"
#include "planning/PlannerEntry.h"
#include "store/KeyText.h"
#include "store/SortScope.h"

namespace {

std::optional<PlannerEntry> planOf(TableSet& tables, qint32 id)
{
    SortScope scope(tables.planner(), Prop::PlannerId);
    return scope.ok() ? PlannerEntry::find(tables.planner(), id) : std::nullopt;
}

// The amounts a posting books: in the account's currency and, of the
// occurrence, in its own.
struct PostedAmounts {
    Money account;
    Money entry;
};

// The user's word on the amounts: Yes to the question in one currency, the
// confirmation between two. A part keeps the typed amount and settles the
// confirmed counterpart of it; posting in full settles the whole outstanding
// amount and books it at the confirmed rate.
std::optional<PostedAmounts> confirm(EditorContext& c, TransactionFollowUp& followUp,
                                     const FutureEntry& entry, const QString& currency, Money accountAmount,
                                     Money entryAmount, bool inFull)
{
    if (entry.currency == currency) {
        if (!c.ui.askYesNo(QString::fromLatin1(TransactionEditor::SaveScheduledText)))
            return std::nullopt;
        return PostedAmounts{accountAmount, entryAmount};
    }
    CurrencyConversionForm model(c.currencies, entry.currency, currency, entryAmount.magnitude(),
                                 accountAmount.magnitude(), CurrencyConversionForm::Mode::FixedAmount,
                                 c.locale);
    const double rateBefore = c.currencies.rate(entry.currency, currency);
    const std::optional<CurrencyConversionForm::Outcome> outcome = c.conversion.confirm(model);
    if (!outcome)
        return std::nullopt;
    const double rateAfter = c.currencies.rate(entry.currency, currency);
    const bool rateMoved = rateAfter != rateBefore;
    if (rateMoved)
        followUp.noteRate(entry.currency, currency);
    if (inFull)
        return PostedAmounts{rateMoved ? convertHalfAwayFromZero(entry.amount, rateAfter) : accountAmount,
                             entry.amount};
    const Money settled = outcome->amountA.magnitude();
    return PostedAmounts{accountAmount, entryAmount.isNegative() ? -settled : settled};
}

// Should the unique-key rule have carried the transaction past the chosen day,
// it goes to one second after the account's last transaction of that day, or
// to 00:00:01 of the day when it has none.
bool keepOnDay(DbTable& t, qint32 account, QString& key, FileTime day)
{
    SortScope scope(t, Prop::AccountKey, DbTable::SortKind::Text);
    if (!scope.ok() || !TransactionLookup::seek(t, key))
        return false;
    const StoredTransaction posted = TransactionLookup::current(t);
    if (isSameDay(posted.date, day))
        return true;
    FileTime when = startOfDay(day) + TicksPerSecond;
    if (t.seekText(SeekKind::Smaller, dayEndKey(account, day)) && t.getInt(Prop::AccountId) == account &&
        isSameDay(t.getInt64(Prop::Date), day))
        when = t.getInt64(Prop::Date) + TicksPerSecond;
    QString moved = fullKey(account, when);
    while (t.seekText(SeekKind::Equal, moved)) {
        when = addMilliseconds(when, 1);
        moved = fullKey(account, when);
    }
    PropList v{PropValue::ofText(Prop::AccountKey, moved), PropValue::ofInt64(Prop::Date, when)};
    if (posted.project > 0)
        TransactionWriter::addProject(v, posted.project, when);
    if (!TransactionLookup::seek(t, key) || !t.setValues(v))
        return false;
    key = moved;
    return true;
}

void addText(PropList& v, quint16 id, const std::optional<QString>& text)
{
    if (!text)
        return;
    v.push_back(text->isEmpty() ? PropValue::removal(id, PropType::Text) : PropValue::ofText(id, *text));
}

// The fields the user changed, over what the posting wrote from the plan.
bool writeChanges(DbTable& t, const StoredTransaction& posted, const TransactionChanges& c, qint32 category)
{
    PropList v;
    if (c.description)
        v.push_back(PropValue::ofText(Prop::Name, *c.description));
    addText(v, Prop::Contact, c.contact);
    addText(v, Prop::Note, c.note);
    addText(v, Prop::Number, c.number);
    if (c.mark)
        v.push_back(PropValue::ofInt(Prop::Mark, static_cast<qint32>(*c.mark)));
    if (category != posted.category)
        v.push_back(category == 0 ? PropValue::removal(Prop::CategoryId, PropType::Int)
                                  : PropValue::ofInt(Prop::CategoryId, category));
    if (c.project && *c.project != posted.project)
        TransactionWriter::addProject(v, *c.project, posted.date);
    if (v.empty())
        return true;
    SortScope scope(t, Prop::AccountKey, DbTable::SortKind::Text);
    return scope.ok() && TransactionLookup::seek(t, posted.key) && t.setValues(v);
}

}  // namespace

Money EditorPosting::entryAmount(const CurrencyCache& currencies, Money outstanding,
                                 Money outstandingConverted, Money typed, bool payment,
                                 const QString& accountCurrency, const QString& entryCurrency)
{
    const Money o = outstanding.magnitude();
    const Money c = outstandingConverted.magnitude();
    const Money t = typed.magnitude();
    Money part;
    if (c.isZero())
        part = currencies.convert(t, accountCurrency, entryCurrency).magnitude();
    else if (t == c)
        part = o;
    else
        part = convertHalfAwayFromZero(o, static_cast<double>(t.hundredths()) /
                                              static_cast<double>(c.hundredths()));
    return payment ? -part : part;
}

EditorPosting::Result EditorPosting::post(EditorContext& c, const Request& r, FileTime now,
                                          TransactionFollowUp& followUp)
{
    const std::optional<FutureEntry> entry = c.future.entryAt(r.position);
    if (!entry)
        return {};
    // Settling goes toward zero: a deposit on a planned payment (or the other
    // way round) would only grow what is still owed.
    if (r.typed && !r.typed->isZero() && !entry->amount.isZero() &&
        r.typed->isNegative() != entry->amount.isNegative()) {
        c.ui.showMessage(QString::fromLatin1(OppositeSignText), Interaction::Icon::Exclamation);
        return {Outcome::Cancelled, {}};
    }
    const Money converted = c.currencies.convert(entry->amount, entry->currency, r.currency);
    const std::optional<PostedAmounts> amounts = confirm(
        c, followUp, *entry, r.currency, r.typed.value_or(converted),
        EditorPosting::entryAmount(c.currencies, entry->amount, converted, r.typed.value_or(converted),
                                   r.payment, r.currency, entry->currency),
        !r.typed);
    if (!amounts)
        return {Outcome::Cancelled, {}};
    const Money accountAmount = amounts->account;
    const Money entryAmount = amounts->entry;
    // A confirmed rate can carry the whole amount past what an amount may be.
    if (accountAmount.magnitude().hundredths() > MaxEnteredHundredths) {
        followUp.noteTooLarge();
        return {};
    }
    const std::optional<PlannerEntry> plan = planOf(c.tables, entry->plannerId);
    if (!plan)
        return {};
    // Without a category of the user's, a plan that transfers makes this a
    // transfer to its account; never one to the shown account itself.
    qint32 category = r.changes.category.value_or(plan->category);
    if (category == -r.account)
        category = 0;
    std::optional<AccountRecord> other;
    std::optional<Money> otherAmount;
    if (category < 0) {
        other = TransferCounterpart::otherAccount(c.tables, -category);
        if (!other)
            return {};
        otherAmount = TransferCounterpart::amount(c.currencies, c.conversion, c.locale, accountAmount,
                                                  r.currency, other->currency, followUp);
        if (!otherAmount)
            return {Outcome::Cancelled, {}};
    }

    const FileTime day = r.changes.date.value_or(now);
    QString key = c.future.post(
        OccurrencePosting{r.position, r.account, r.currency, accountAmount, entryAmount, day, now});
    DbTable& t = c.tables.transactions();
    if (key.isEmpty() || !keepOnDay(t, r.account, key, day))
        return {};
    const std::optional<StoredTransaction> posted = TransactionLookup::read(t, key);
    if (!posted || !writeChanges(t, *posted, r.changes, category))
        return {};
    const std::optional<StoredTransaction> result = TransactionLookup::read(t, key);
    const std::optional<qint64> index = TransactionLookup::indexOf(t, r.account, key);
    if (!result || !index)
        return {};
    followUp.noteAccount(r.account, *index);
    followUp.noteProject(posted->project);
    followUp.noteProject(result->project);
    if (other &&
        !TransferCounterpart::create(c.tables, draftOf(*result), WrittenTransaction{key, result->date},
                                     *other, *otherAmount, now, followUp))
        return {};
    return {Outcome::Written, key};
}

bool EditorPosting::dismiss(EditorContext& c, qint64 position, const QString& currency, FileTime now)
{
    const std::optional<FutureEntry> entry = c.future.entryAt(position);
    if (!entry)
        return false;
    const Money converted = c.currencies.convert(entry->amount, entry->currency, currency);
    const OccurrencePosting posting{
        position, ReservedAccount::Holder, currency, converted, entry->amount, now, now};
    return !c.future.post(posting).isEmpty();
}
