// Posting occurrences of the future list and moving plans past the posted ones.
#include "planning/FutureList.h"

#include "planning/OccurrencePostings.h"
#include "planning/OccurrenceSequence.h"
#include "planning/RecurrenceRule.h"
#include "planning/TextMacros.h"
#include "platform/StoreTransaction.h"
#include "store/KeyText.h"
#include "store/RecordLayout.h"
#include "store/SortScope.h"
#include "store/UniqueKey.h"

#include <algorithm>
#include <limits>

namespace {

// Less than the outstanding amount was posted: toward zero from it. A
// non-negative outstanding amount counts as a deposit.
bool isPartial(Money posted, Money outstanding)
{
    return outstanding < Money() ? posted > outstanding : posted < outstanding;
}

// A posting against the occurrence's direction (a deposit on a planned
// payment) would grow what is owed instead of settling it.
bool isOppositeSign(Money posted, Money outstanding)
{
    return (posted < Money() && outstanding > Money()) || (posted > Money() && outstanding < Money());
}

// Account currency per unit of the plan's, as stored beside a foreign posting.
// Nothing was planned in a posting of 0, so no rate can be derived: "0.00".
QString postingRate(Money accountAmount, Money entryAmount)
{
    if (entryAmount.isZero())
        return QStringLiteral("0.00");
    const double rate =
        static_cast<double>(accountAmount.hundredths()) / static_cast<double>(entryAmount.hundredths());
    return QString::number(rate, 'f', 2);
}

}  // namespace

QString FutureList::post(const OccurrencePosting& posting)
{
    ObjectStore* store = m_tables.store();
    if (!store)
        return {};
    SortScope scheduledScope(m_tables.scheduled(), Prop::Date, DbTable::SortKind::Date);
    SortScope plannerScope(m_tables.planner(), Prop::PlannerId, DbTable::SortKind::Integer);
    StoreTransaction transaction(*store);
    if (!scheduledScope.ok() || !plannerScope.ok() || !transaction.isOpen())
        return {};
    const std::optional<FutureEntry> entry = readAt(posting.position);
    if (!entry)
        return {};
    if (isOppositeSign(posting.entryAmount, entry->amount))
        return {};
    const bool partial = isPartial(posting.entryAmount, entry->amount);
    const std::optional<NewTransactionKey> key =
        uniqueAccountKey(m_tables.transactions(), posting.account, posting.date, posting.now);
    const std::optional<PlannerEntry> plan = PlannerEntry::find(m_tables.planner(), entry->plannerId);
    if (!key || !plan)
        return {};
    const bool posted = writeTransaction(posting, *entry, *plan, key->key, key->date, partial) &&
                        m_totals.markStale(entry->project) && settle(*entry, posting.entryAmount, partial) &&
                        completeOccurrences(entry->plannerId);
    if (!posted || !transaction.commit())
        return {};
    ++m_version;
    return key->key;
}

bool FutureList::writeTransaction(const OccurrencePosting& posting, const FutureEntry& entry,
                                  const PlannerEntry& plan, const QString& key, FileTime date, bool partial)
{
    DbTable& t = m_tables.transactions();
    t.beginNew();
    bool ok = t.setText(Prop::AccountKey, key) && t.setInt(Prop::AccountId, posting.account) &&
              t.setInt64(Prop::Date, date) && t.setText(Prop::PlannerKey, fullKey(plan.id, entry.date)) &&
              t.setInt(Prop::PlannerId, plan.id) && t.setInt64(Prop::PlannedDate, entry.date) &&
              t.setInt64(Prop::PostedAmount, posting.entryAmount.hundredths()) &&
              t.setInt64(Prop::PartialPosting, partial ? 1 : 0) && t.setText(Prop::Name, entry.description) &&
              t.setInt64(Prop::Amount, posting.accountAmount.hundredths()) &&
              t.setText(Prop::CurrencyCode, posting.accountCurrency) &&
              t.setInt(Prop::Mark, static_cast<qint32>(plan.mark));
    if (ok && entry.project > 0) {
        ok = t.setInt(Prop::ProjectId, entry.project);
        // The holder account's records count in no project, so they join no project's run.
        if (ok && posting.account != ReservedAccount::Holder)
            ok = t.setText(Prop::ProjectKey, fullKey(entry.project, date));
    }
    if (ok && plan.category != 0)
        ok = t.setInt(Prop::CategoryId, plan.category);
    if (ok && !plan.number.isEmpty())
        ok = t.setText(Prop::Number, plan.number);
    if (ok && !plan.contact.isEmpty())
        ok = t.setText(Prop::Contact, plan.contact);
    // The note, like the description, with its macros expanded for the occurrence.
    if (ok && !plan.note.isEmpty())
        ok = t.setText(Prop::Note, TextMacros::expand(plan.note, entry.date, m_locale));
    if (ok && posting.accountCurrency != entry.currency) {
        const Money magnitude = posting.entryAmount.magnitude();
        ok = t.setInt64(Prop::ForeignAmount, magnitude.hundredths()) &&
             t.setText(Prop::ForeignCurrency, entry.currency) &&
             t.setText(Prop::ForeignRate, postingRate(posting.accountAmount, posting.entryAmount));
    }
    // The caller recalculates the account's running balances from here on.
    return ok && t.setInt64(Prop::Balance, 0, true);
}

// A partial posting leaves the rest of the occurrence listed; a full one ends it.
bool FutureList::settle(const FutureEntry& entry, Money posted, bool partial)
{
    DbTable& scheduled = m_tables.scheduled();
    if (!scheduled.moveToRecord(entry.record))
        return false;
    if (!partial)
        return scheduled.deleteAt(scheduled.position());
    PropList changes{PropValue::ofInt64(Prop::Amount, (entry.amount - posted).hundredths())};
    if (entry.fullAmount.isZero())
        changes.push_back(PropValue::ofInt64(Prop::FullAmount, entry.amount.hundredths()));
    return scheduled.setValues(changes);
}

bool FutureList::completeOccurrences(qint32 plannerId)
{
    ObjectStore* store = m_tables.store();
    if (!store)
        return false;
    SortScope plannerScope(m_tables.planner(), Prop::PlannerId, DbTable::SortKind::Integer);
    StoreTransaction transaction(*store);
    if (!plannerScope.ok() || !transaction.isOpen())
        return false;
    const std::optional<PlannerEntry> plan = PlannerEntry::find(m_tables.planner(), plannerId);
    if (!plan || plan->stopped)
        return transaction.commit();  // nothing to move on
    const std::optional<OccurrencePostings> postings =
        OccurrencePostings::read(m_tables.transactions(), plannerId);
    if (!postings)
        return false;
    // The sequence, not a count compared with the number of entries, decides
    // where the plan ends, so a rule that repeats its start date (damaged
    // "Only once" with an ongoing count) ends after its one occurrence.
    OccurrenceSequence sequence(plan->rule, plan->start, plan->entries, plan->completed);
    qint64 completed = std::max<qint64>(plan->completed, 0);
    bool ended = true;
    while (const std::optional<Occurrence> occurrence = sequence.next()) {
        if (!postings->isComplete(occurrence->date, plan->amount)) {
            ended = false;
            break;
        }
        completed = occurrence->index + 1;
    }
    const bool written = ended ? endPlan(*plan, completed) : moveCompleted(*plan, completed);
    return written && transaction.commit();
}

// A plan of one entry is done with; any other stays, stopped, to be seen and re-activated.
bool FutureList::endPlan(const PlannerEntry& plan, qint64 completed)
{
    DbTable& planner = m_tables.planner();
    if (plan.entries == 1)
        return planner.seekInt(SeekKind::Equal, plan.id) && planner.deleteAt(planner.position());
    return moveCompleted(plan, completed) && planner.seekInt(SeekKind::Equal, plan.id) &&
           planner.setInt(Prop::Stopped, 1);
}

bool FutureList::moveCompleted(const PlannerEntry& plan, qint64 completed)
{
    if (completed == plan.completed)
        return true;
    DbTable& planner = m_tables.planner();
    if (!planner.seekInt(SeekKind::Equal, plan.id))
        return false;
    const qint32 stored =
        static_cast<qint32>(std::min<qint64>(completed, std::numeric_limits<qint32>::max()));
    PropList changes{PropValue::ofInt(Prop::Completed, stored)};
    if (const std::optional<FileTime> next = RecurrenceRule::occurrenceDate(plan.rule, plan.start, completed))
        changes.push_back(PropValue::ofInt64(Prop::NextDate, *next));
    return planner.setValues(changes);
}
