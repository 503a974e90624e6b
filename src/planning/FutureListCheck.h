#pragma once

// The future list held against the planner, checked without changing anything:
//  1. the horizon is 0 (never built) or the last millisecond of a day;
//  2. every entry names a plan that exists and is not stopped;
//  3. an entry with a project carries the project key of that project and its
//     own date, and an entry without one carries no project key;
//  4. the entries are exactly the occurrences a forced build up to the
//     horizon would list (FutureList::expected), with the same amounts still
//     open and the same full amounts: none missing, none extra, none twice.
// Each problem is one line of text; none means the list holds them all.

#include "planning/FutureList.h"
#include "store/TableSet.h"

#include <QStringList>

class FutureListCheck {
public:
    // Both must outlive the check.
    FutureListCheck(TableSet& tables, FutureList& future) : m_tables(tables), m_future(future) {}

    // At the list's own horizon.
    QStringList problems() { return problems(m_future.horizon()); }
    QStringList problems(FileTime horizon);

private:
    void checkEntries(const std::vector<FutureEntry>& entries, QStringList& out);
    void checkOccurrences(const std::vector<FutureEntry>& entries, FileTime horizon, QStringList& out);

    TableSet& m_tables;
    FutureList& m_future;
};
