#pragma once

#include "platform/StoreTypes.h"

#include <QString>

#include <array>
#include <vector>

// The seven tables of a book, their names, sort orders and re-index labels.
enum class TableKind { Transaction, Scheduled, Planner, Account, Project, Category, Currency };

struct TableDefinition {
    TableKind kind;
    QString name;
    std::vector<SortSpec> sorts;  // sort order 0 first
    QString reindexLabel;         // follows "Reindexing database" in the progress window
    quint16 workingSort;          // the sort every part expects to find active
};

namespace TableDefinitions {

const TableDefinition& of(TableKind kind);
// Opening and re-indexing order: Transaction, Account, Project, Category,
// Planner, Scheduled, Currency.
const std::array<TableKind, 7>& openOrder();
// Closing order at exit: Transaction, Account, Project, Scheduled, Planner,
// Category, Currency.
const std::array<TableKind, 7>& closeOrder();

}  // namespace TableDefinitions
