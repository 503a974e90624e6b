#pragma once

// What the report program's selection tree shows: every account under
// "All Accounts", then the category tree and the project tree, as the tables
// hold them now. An item's data is its key, which tells its kind: a negative
// key is an account (its id negated), 1 to 999,999,999 a category id, above
// 1,000,000,000 a project (the key less 1,000,000,000). "All Accounts" has
// key 0 and stands for no id of its own.

#include "reference/TreeItems.h"
#include "reports/ReportFilter.h"

#include <optional>

class TableSet;

class SelectionTreeItems {
public:
    static constexpr const char* AllAccountsText = "All Accounts";
    static constexpr qint32 ProjectBase = 1'000'000'000;

    struct Id {
        ReportFilter::IdKind kind;
        qint32 id;
    };

    // The filter list and id an item's key stands for; nullopt for key 0.
    static std::optional<Id> idOf(qint32 key);
    static qint32 keyOf(ReportFilter::IdKind kind, qint32 id);

    // Accounts in id order without the reserved ids; categories sorted among
    // their siblings, projects in table order. Items are checked when their
    // id is in the filter's list.
    static TreeItems build(TableSet& tables, const ReportFilter& filter);
};
