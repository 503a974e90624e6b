#include "reference/TreeFill.h"

#include <QHash>

namespace {

TreeItem itemOf(const TreeRecord& record, const TreeFill::Options& options)
{
    TreeItem item;
    item.data = record.id;
    item.text = record.name;
    item.bold = options.bold.contains(record.id);
    item.checkState = record.checkState;
    return item;
}

// One pass over the records: hangs each item that is not under its parent's item
// there. True when it moved anything.
bool reparentPass(TreeItems& items, const std::vector<TreeRecord>& records,
                  const std::vector<int>& itemOfRecord, const QHash<qint32, int>& itemOfId,
                  TreeItems::Placement placement)
{
    bool moved = false;
    for (size_t i = 0; i < records.size(); ++i) {
        if (records[i].parent == 0)
            continue;
        const auto parentItem = itemOfId.constFind(records[i].parent);
        const int item = itemOfRecord[i];
        if (parentItem == itemOfId.constEnd() || *parentItem == item || items.at(item).parent == *parentItem)
            continue;
        moved = items.move(item, *parentItem, placement) || moved;
    }
    return moved;
}

}  // namespace

TreeItems TreeFill::fill(const std::vector<TreeRecord>& records, const Options& options)
{
    const auto placement = options.sortSiblings ? TreeItems::Placement::Sorted : TreeItems::Placement::Last;
    TreeItems items;
    std::vector<int> itemOfRecord;
    itemOfRecord.reserve(records.size());
    QHash<qint32, int> itemOfId;
    bool waiting = false;
    for (const TreeRecord& record : records) {
        const auto parentItem = itemOfId.constFind(record.parent);
        const bool placed = record.parent != 0 && parentItem != itemOfId.constEnd();
        const int item = items.add(itemOf(record, options), placed ? *parentItem : TreeItems::Top, placement);
        waiting = waiting || (!placed && record.parent != 0);
        itemOfRecord.push_back(item);
        itemOfId.insert(record.id, item);
    }
    for (size_t pass = 0; waiting && pass < records.size(); ++pass)
        waiting = reparentPass(items, records, itemOfRecord, itemOfId, placement);
    return items;
}
