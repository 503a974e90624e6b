#pragma once

// The future list: one entry per occurrence of each active plan that falls due
// up to the horizon, built from the Planner table into the Scheduled table,
// and the posting of those occurrences as transactions.
//
// Invariants (checked by FutureListCheck):
//  1. After build(target, force) the list holds, for every plan that is not
//     stopped, exactly the occurrences from its completed count on whose show
//     date (occurrence date less the reminder lead time) is not later than the
//     horizon and that are not complete: an occurrence is complete when a
//     transaction of the plan with that planned date has partial flag 0, or
//     when the partial ones already cover the plan's amount.
//  2. Occurrences are always computed from the plan's start date and the
//     occurrence number (RecurrenceRule), never by stepping a stored date; a
//     rule that does not advance lists at most max(1, entries) occurrences.
//  3. The horizon is held by the caller (the run state) and updated here; it
//     is the end (23:59:59.999) of the day the list was last built up to.
//
// Every writing operation runs in one store transaction. The shared cursors are
// left in their working sort orders.

#include "planning/FutureEntry.h"
#include "planning/PlannerEntry.h"
#include "platform/Interaction.h"
#include "reference/ProjectTotals.h"
#include "store/TableSet.h"

#include <QLocale>

#include <optional>
#include <set>
#include <utility>
#include <vector>

// An occurrence the list should hold, computed without writing.
struct ExpectedOccurrence {
    qint32 plannerId = 0;
    FileTime date = 0;
    Money amount;      // outstanding, in the plan's currency
    Money fullAmount;  // 0 unless part was posted
    friend bool operator==(const ExpectedOccurrence&, const ExpectedOccurrence&) = default;
};

// What posting one occurrence writes (see FutureList::post).
struct OccurrencePosting {
    qint64 position = -1;  // the future-list entry, in date order
    qint32 account = 0;    // the account that receives it; ReservedAccount::Holder to dismiss
    QString accountCurrency;
    Money accountAmount;  // in the account's currency, signed
    Money entryAmount;    // in the entry's currency, signed
    FileTime date = 0;    // the transaction's date-time (a unique key is made from it)
    // The local clock's reading: a posting dated today takes the current time,
    // as every new transaction does. 0 (unknown) keeps `date` on every day.
    FileTime now = 0;
};

class FutureList {
public:
    static constexpr const char* UpdatingText = "Updating scheduled transaction list...";
    static constexpr const char* RemindersTitle = "Planned Transactions";

    // `horizon` is the run's horizon (RunState::horizon); read and updated here.
    // Everything passed must outlive the list.
    FutureList(TableSet& tables, ProjectTotals& totals, const QLocale& locale, FileTime& horizon);

    // Builds the list up to the end of `targetDay`'s day: with `force` every
    // entry is made afresh; otherwise a later target extends the list with the
    // occurrences not yet listed and an earlier one shrinks it. Does nothing
    // (but succeed) when not forced and the target equals the horizon. False
    // when a write failed; the list is then as before.
    bool build(FileTime targetDay, bool force);
    FileTime horizon() const { return m_horizon; }
    // Grows with every build and every posting; the prognosis label is
    // recomputed when it moves.
    quint64 changeCount() const { return m_version; }

    qint64 count();
    // The entry at a position in date order; nullopt outside the list.
    std::optional<FutureEntry> entryAt(qint64 position);
    std::vector<FutureEntry> entries();

    // Posts part or all of an occurrence: the transaction (its key by the
    // unique-key rule for the account and date), the project marked stale, the
    // entry reduced or removed, the plan's completed count moved on. Returns
    // the new transaction's account key; "" when the entry or its plan does
    // not exist, the amount has the sign opposite to the outstanding one, or
    // a write failed (nothing written then). The caller
    // recalculates the account's running balances and, for a transfer
    // category, writes the other account's side.
    QString post(const OccurrencePosting& posting);
    // Moves the plan's completed count and next open date past every
    // occurrence that has a full posting or partial ones that cover it; ends the plan when all are done (a
    // plan of one entry is deleted, any other stopped). True with nothing to
    // do (no such plan, or a stopped one); false when a read or write failed.
    bool completeOccurrences(qint32 plannerId);

    // The occurrences the list should hold up to `horizon`, in date order, as
    // a forced build would write them; for checks.
    std::vector<ExpectedOccurrence> expected(FileTime horizon);

    // The due, not yet reminded entries (at most four, then "...") as the
    // reminder message's lines; they are marked reminded. `now` gives today.
    // Empty when nothing is due. Shown with showReminders().
    QStringList takeReminderLines(FileTime now, const CurrencyCache& currencies, const LocaleValues& locale);
    // Shows the reminder message when an entry is due; true when it showed one.
    bool showReminders(FileTime now, const CurrencyCache& currencies, const LocaleValues& locale,
                       Interaction& ui);

    // At most this many entries are named in one reminder; "..." stands for the rest.
    static constexpr int MaxReminderLines = 4;

private:
    // An occurrence to list with the plan that it comes from.
    struct Listed {
        PlannerEntry plan;
        ExpectedOccurrence occurrence;
    };
    // The occurrences of every plan up to `target` (see OccurrenceListing), in
    // date order; nullopt when a read failed.
    std::optional<std::vector<Listed>> collect(FileTime target, std::optional<FileTime> after);
    // (plan id, occurrence date) of every entry marked reminded.
    std::set<std::pair<qint32, FileTime>> remindedOccurrences();
    bool markReminded(const std::set<std::pair<qint32, FileTime>>& reminded);
    bool removeAll();
    bool shrink(FileTime target);
    bool extend(FileTime target, std::optional<FileTime> after);
    qint32 reminderMinutesOf(const FutureEntry& entry);
    // The scheduled table must be in date order.
    std::optional<FutureEntry> readAt(qint64 position);
    bool writeTransaction(const OccurrencePosting& posting, const FutureEntry& entry,
                          const PlannerEntry& plan, const QString& key, FileTime date, bool partial);
    bool settle(const FutureEntry& entry, Money posted, bool partial);
    bool endPlan(const PlannerEntry& plan, qint64 completed);
    bool moveCompleted(const PlannerEntry& plan, qint64 completed);

    TableSet& m_tables;
    ProjectTotals& m_totals;
    QLocale m_locale;
    FileTime& m_horizon;
    quint64 m_version = 0;
};
