#include "reports/SelectionTreeItems.h"

#include "reference/TreeFill.h"
#include "reference/TreeTable.h"
#include "store/RecordLayout.h"
#include "store/SortScope.h"
#include "store/TableSet.h"

namespace {

using IdKind = ReportFilter::IdKind;

void addAccounts(TreeItems& items, DbTable& accounts, const ReportFilter& filter)
{
    TreeItem all;
    all.text = QString::fromLatin1(SelectionTreeItems::AllAccountsText);
    all.expanded = true;
    const int top = items.add(all, TreeItems::Top, TreeItems::Placement::Last);
    const SortScope scope(accounts, Prop::AccountId);
    if (!scope.ok())
        return;
    for (qint64 position = 0; position < accounts.count(); ++position) {
        if (!accounts.moveTo(position))
            continue;
        const qint32 id = accounts.getInt(Prop::AccountId);
        if (isReservedAccount(id))
            continue;
        TreeItem item;
        item.data = -id;
        item.text = accounts.getText(Prop::Name);
        item.checkState = filter.ids(IdKind::Accounts).contains(id) ? 1 : 0;
        items.add(item, top, TreeItems::Placement::Last);
    }
}

// Copies a filled tree below the items already there, keying its data as `kind`.
void addTree(TreeItems& items, const TreeItems& tree, int from, int parent, IdKind kind,
             const ReportFilter& filter)
{
    const TreeItem& source = tree.at(from);
    TreeItem item;
    item.data = SelectionTreeItems::keyOf(kind, source.data);
    item.text = source.text;
    item.expanded = parent == TreeItems::Top;
    item.checkState = filter.ids(kind).contains(source.data) ? 1 : 0;
    const int added = items.add(item, parent, TreeItems::Placement::Last);
    for (const int child : tree.childrenOf(from))
        addTree(items, tree, child, added, kind, filter);
}

void addTable(TreeItems& items, DbTable& table, quint16 idProp, bool sortSiblings, IdKind kind,
              const ReportFilter& filter)
{
    TreeTable source(table, idProp, QString());
    TreeFill::Options options;
    options.sortSiblings = sortSiblings;
    const TreeItems tree = TreeFill::fill(source.records(), options);
    for (const int top : tree.childrenOf(TreeItems::Top))
        addTree(items, tree, top, TreeItems::Top, kind, filter);
}

}  // namespace

std::optional<SelectionTreeItems::Id> SelectionTreeItems::idOf(qint32 key)
{
    if (key < 0)
        return Id{IdKind::Accounts, -key};
    if (key > ProjectBase)
        return Id{IdKind::Projects, key - ProjectBase};
    if (key > 0)
        return Id{IdKind::Categories, key};
    return std::nullopt;
}

qint32 SelectionTreeItems::keyOf(ReportFilter::IdKind kind, qint32 id)
{
    switch (kind) {
    case IdKind::Accounts:
        return -id;
    case IdKind::Categories:
        return id;
    case IdKind::Projects:
        break;
    }
    return ProjectBase + id;
}

TreeItems SelectionTreeItems::build(TableSet& tables, const ReportFilter& filter)
{
    TreeItems items;
    addAccounts(items, tables.accounts(), filter);
    addTable(items, tables.categories(), Prop::CategoryId, true, IdKind::Categories, filter);
    addTable(items, tables.projects(), Prop::ProjectId, false, IdKind::Projects, filter);
    return items;
}
