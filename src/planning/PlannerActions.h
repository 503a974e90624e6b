#pragma once

// The "Future" page's commands on one plan: stop or activate it, and delete it.
//
// Deleting a plan keeps what was posted from it: its transactions in real
// accounts stay, detached from the plan (planner id 0, partial flag 0, posted
// amount 0, no planner key) so that they read as ordinary transactions; the
// records of dismissed occurrences in the holder account
// (ReservedAccount::Holder) existed only to count those occurrences as done
// and go with the plan. Neither changes an amount, so no running
// balance or project total moves.
//
// Each command runs in one store transaction together with the full rebuild
// of the future list that follows it.

#include "planning/FutureList.h"
#include "platform/Clock.h"
#include "platform/Interaction.h"
#include "store/TableSet.h"

#include <QString>

#include <optional>
#include <vector>

class PlannerActions {
public:
    static constexpr const char* StopText = "Stop";
    static constexpr const char* ActivateText = "Activate";
    static constexpr const char* DeleteMenuText = "Delete\tDel";
    static constexpr const char* DeleteQuestion =
        "This Time-Table transaction will be deleted. Do you wish to continue?";
    static constexpr const char* ProgressText = "one moment...";
    // The progress window moves on after each tenth of the work.
    static constexpr qint64 ProgressSteps = 10;

    enum class DeleteOutcome { Deleted, Declined, Missing, Failed };

    // All owned by the caller and outliving this object. `clock` gives the
    // day the list is rebuilt up to before it was ever built.
    PlannerActions(TableSet& tables, FutureList& future, const Clock& clock, Interaction& ui);

    // The context menu's first item for a plan: "Stop" for an active one,
    // "Activate" for a stopped one.
    static QString toggleText(bool stopped);

    // Stops an active plan or activates a stopped one, then rebuilds the
    // future list. The new stopped state; nullopt when there is no such plan
    // or a write failed (nothing changed then). A finished plan (all its
    // entries completed) is not activated: it stays stopped (true).
    std::optional<bool> toggleStopped(qint32 id);

    // Asks DeleteQuestion first; the progress window shows ProgressText and
    // moves on after every tenth of the plan's transactions. A Stop in it
    // ends the command with nothing changed (Declined).
    DeleteOutcome remove(qint32 id);

private:
    // The records of the transactions posted from the plan, in planner-key order.
    std::optional<std::vector<RecordId>> postedFrom(qint32 id);
    bool releaseTransaction(RecordId record);
    bool deletePlan(qint32 id);
    bool rebuild();

    TableSet& m_tables;
    FutureList& m_future;
    const Clock& m_clock;
    Interaction& m_ui;
};
