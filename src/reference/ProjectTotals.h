#pragma once

// The running totals of the project table: each project's own sums and the
// sums of its subtree in the default currency, and its per-currency sums.
//
// Invariants, for every project whose totals-valid flag is 1:
//  1. Its per-currency fields hold the unconverted deposits and payment
//     magnitudes of the transactions in its project-key run that name it and
//     belong to no reserved account, one pair per cached currency (a zero sum
//     has no field).
//  2. Its own sums are those per-currency sums converted into the default
//     currency term by term (see ProjectTotalsSums).
//  3. Its subtree sums are the own sums of every record whose chain of parent
//     links reaches it, the walk stopping at a parent id that names no record
//     or that it met before. The project itself is not included.
// Writers that change a transaction mark its project stale; recomputing a
// project moves every ancestor's subtree sums by the change of its own sums,
// so (3) holds for the ancestors whatever their own flags say.
//
// Every update runs in one store transaction: it is written whole or not at
// all. The shared cursors are left in the sort orders they were found in.

#include "platform/Interaction.h"
#include "reference/CurrencyCache.h"
#include "reference/ProjectTotalsRecord.h"
#include "reference/ProjectTotalsScheduled.h"
#include "reference/ProjectTotalsSums.h"
#include "reference/Projects.h"
#include "store/FileTime.h"
#include "store/TableSet.h"

#include <QStringView>

#include <optional>

class ProjectTotals {
public:
    static constexpr const char* UpdateText = "Update Projects...";

    // All three are owned by the caller and must outlive this object.
    ProjectTotals(TableSet& tables, Projects& projects, const CurrencyCache& currencies);

    // Clears the project's totals-valid flag. True when the flag is now clear,
    // and when no record has that id (ids below 1 mean "no project"); false
    // only when the write failed.
    [[nodiscard]] bool markStale(qint32 id);
    // Clears the flag of every project: after a rate changed, own sums
    // converted at the old rate are out of date. One store transaction; false
    // when a write failed, and nothing changed then.
    [[nodiscard]] bool markAllStale();

    // Recomputes one project from its transactions and moves its ancestors'
    // subtree sums by the difference. False when no record has that id or a
    // read or write failed; nothing was changed then.
    [[nodiscard]] bool recompute(qint32 id, QStringView defaultCode);

    // Makes the root when it is missing, then recomputes every stale project.
    // `ui`, when given, is shown UpdateText. False when anything failed; the
    // book is then as it was.
    [[nodiscard]] bool updateStale(QStringView defaultCode, Interaction* ui = nullptr);
    // Makes the root when it is missing, then computes every project's sums
    // afresh, as if all had been zeroed and recomputed one by one (used after
    // a move in the tree, an import, a restore, a deletion of many records).
    [[nodiscard]] bool updateAll(QStringView defaultCode, Interaction* ui = nullptr);

    // The project's future-list entries dated no later than `horizon`.
    ProjectTotalsScheduled scheduledSums(qint32 id, FileTime horizon, QStringView defaultCode);

    // The totals on the project's record; nullopt when no record has that id.
    std::optional<ProjectTotalsRecord> totalsOf(qint32 id);

    // Records this object has read from the store since the last reset; what a
    // recompute costs is measured by it.
    quint64 recordsRead() const { return m_recordsRead; }
    void resetRecordsRead() { m_recordsRead = 0; }

private:
    struct OwnChange {
        qint32 parent = 0;
        Money deposits;  // new own sums minus old
        Money payments;
    };

    std::optional<ProjectTotalsSums> sumTransactions(qint32 id);
    std::optional<OwnChange> writeOwn(qint32 id, const ProjectTotalsSums& sums, QStringView defaultCode);
    bool adjustAncestors(qint32 id, const OwnChange& change);
    bool recomputeInScope(qint32 id, QStringView defaultCode);
    std::optional<std::vector<qint32>> staleIds();
    void tell(Interaction* ui) const;

    TableSet& m_tables;
    Projects& m_projects;
    const CurrencyCache& m_currencies;
    quint64 m_recordsRead = 0;
};
