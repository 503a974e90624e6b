#pragma once

// Builds the items of a tree from the records of its table.
//
// 1. Records are taken in table order. Each goes under the item of its parent
//    when that record came earlier (the latest earlier record with that id);
//    otherwise it waits at the top level.
// 2. Passes then hang every waiting item, with its subtree, under its parent's
//    item. Each pass can only place items for good (an item under its true
//    parent never moves again), so the passes stop when one moves nothing, and
//    in any case after as many passes as there are records.
// 3. An item stays at the top level when its parent id names no record, and
//    when hanging it would put it inside its own subtree: parent links that
//    form a cycle (damaged data) leave the cycle's first item at the top level
//    with the rest of the cycle below it.
//
// Categories are placed alphabetically among their siblings, projects in table
// order. The item data is the record id.

#include "reference/TreeItems.h"
#include "reference/TreeRecord.h"

#include <QSet>

#include <vector>

class TreeFill {
public:
    struct Options {
        bool sortSiblings = false;
        QSet<qint32> bold;  // ids shown in bold
    };

    static TreeItems fill(const std::vector<TreeRecord>& records, const Options& options);
};
