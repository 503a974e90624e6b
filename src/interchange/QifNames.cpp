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
    // A path that names the root (":Fuel", "All categories:Fuel") is not the
    // path of what it makes ("Fuel"). Looked up as written it would never be
    // found again, and every record, and every re-import, would make a new
    // "Fuel" that no transaction of an earlier import could match.
    const Place place = placeOf(tree, path);
    qint32 id = tree.ids.value(keyOf(place.madePath));
    if (id == 0)
        id = create(tree, place);
    if (id != 0)
        remember(tree, path, id);
    return id;
}

// Below the longest parent part that exists (an empty parent part standing for
// the root), as the tree's own create by path places it.
QifNames::Place QifNames::placeOf(Tree& tree, const QString& path)
{
    Place place;
    place.parts = TreePath::split(path);
    place.next = place.parts.size() - 1;
    for (; place.next > 0; --place.next) {
        const QString parentPath =
            QStringList(place.parts.begin(), place.parts.begin() + place.next).join(TreePath::Separator);
        if (parentPath.isEmpty())
            break;
        if (const qint32 found = tree.ids.value(keyOf(parentPath))) {
            place.parent = found;
            break;
        }
    }
    const QString rest =
        QStringList(place.parts.begin() + place.next, place.parts.end()).join(TreePath::Separator);
    // The root's children leave the root out of their paths.
    place.madePath = place.parent == TreeTable::RootId
                         ? rest
                         : tree.table.pathOf(place.parent) + TreePath::Separator + rest;
    return place;
}

qint32 QifNames::create(Tree& tree, const Place& place)
{
    StoreTransaction transaction(*tree.table.table().store());
    if (!transaction.isOpen())
        return 0;
    qint32 parent = place.parent;
    for (qsizetype next = place.next; next < place.parts.size(); ++next) {
        parent = tree.table.create(parent, place.parts[next]);
        if (parent == 0)
            return 0;
        // The path the record really has (a root's children leave the root out).
        remember(tree, tree.table.pathOf(parent), parent);
    }
    return transaction.commit() ? parent : 0;
}
