#include "interchange/QifNames.h"

#include "platform/StoreTransaction.h"
#include "store/TreePath.h"

void QifNames::remember(Tree& tree, const QString& path, qint32 id)
{
    const QString key = keyOf(path);
    if (!tree.ids.contains(key))
        tree.ids.insert(key, id);
}

void QifNames::load(Tree& tree)
{
    for (const TreeRecord& record : tree.table.records())
        remember(tree, tree.table.pathOf(record.id), record.id);
    tree.loaded = true;
}

qint32 QifNames::idOf(Tree& tree, const QString& path)
{
    if (path.isEmpty())
        return 0;
    if (!tree.loaded)
        load(tree);
    if (const qint32 id = tree.ids.value(keyOf(path)))
        return id;
    return create(tree, path);
}

qint32 QifNames::create(Tree& tree, const QString& path)
{
    const QStringList parts = TreePath::split(path);
    qsizetype next = parts.size() - 1;
    qint32 parent = TreeTable::RootId;
    for (; next > 0; --next) {
        const QString parentPath = QStringList(parts.begin(), parts.begin() + next).join(TreePath::Separator);
        if (parentPath.isEmpty())
            break;
        if (const qint32 found = tree.ids.value(keyOf(parentPath))) {
            parent = found;
            break;
        }
    }
    StoreTransaction transaction(*tree.table.table().store());
    if (!transaction.isOpen())
        return 0;
    for (; next < parts.size(); ++next) {
        parent = tree.table.create(parent, parts[next]);
        if (parent == 0)
            return 0;
        // The path the record really has (a root's children leave the root out).
        remember(tree, tree.table.pathOf(parent), parent);
    }
    return transaction.commit() ? parent : 0;
}
