#include "store/TreePath.h"

#include "platform/StoreTransaction.h"
#include "store/RecordLayout.h"
#include "store/SortScope.h"

#include <QSet>

TreePath::TreePath(DbTable& table, quint16 idProp) : m_table(table), m_idProp(idProp)
{
}

QStringList TreePath::split(const QString& path)
{
    if (path.isEmpty())
        return {};
    return path.split(Separator);
}

// Assumes the cursor is in id order.
std::optional<TreePath::Node> TreePath::read(qint32 id)
{
    if (!m_table.seekInt(SeekKind::Equal, id))
        return std::nullopt;
    return Node{id, m_table.getInt(Prop::Parent), m_table.getText(Prop::Name)};
}

// The record and its existing ancestors, bottom first. At most one entry per
// record of the table, and never the same id twice.
std::vector<TreePath::Node> TreePath::chainOf(qint32 id)
{
    std::vector<Node> chain;
    std::optional<Node> current = read(id);
    if (!current)
        return chain;
    const qint64 limit = m_table.count();
    QSet<qint32> seen;
    while (current && !seen.contains(current->id) && static_cast<qint64>(chain.size()) < limit) {
        seen.insert(current->id);
        chain.push_back(*current);
        if (current->parent == 0)
            break;
        current = read(current->parent);
    }
    return chain;
}

QString TreePath::pathOfChain(const std::vector<Node>& chain) const
{
    if (chain.empty())
        return {};
    QStringList names{chain.front().name};
    // Roots stay out of every path but their own.
    for (size_t i = 1; i < chain.size() && chain[i].parent != 0; ++i)
        names.prepend(chain[i].name);
    return names.join(Separator);
}

std::optional<TreePath::Node> TreePath::node(qint32 id)
{
    SortScope scope(m_table, m_idProp);
    return scope.ok() ? read(id) : std::nullopt;
}

QString TreePath::pathOf(qint32 id)
{
    SortScope scope(m_table, m_idProp);
    return scope.ok() ? pathOfChain(chainOf(id)) : QString();
}

std::vector<qint32> TreePath::ancestorsOf(qint32 id)
{
    SortScope scope(m_table, m_idProp);
    std::vector<qint32> ids;
    if (!scope.ok())
        return ids;
    const std::vector<Node> chain = chainOf(id);
    for (size_t i = 1; i < chain.size(); ++i)
        ids.push_back(chain[i].id);
    return ids;
}

bool TreePath::isSelfOrAncestor(qint32 candidate, qint32 id)
{
    if (candidate == id)
        return true;
    const std::vector<qint32> above = ancestorsOf(id);
    return std::find(above.begin(), above.end(), candidate) != above.end();
}

// Walks the circular name scan once over the table from record 0 and returns
// the id of the first hit that `accept` takes. The cursor is in id order.
template <typename Accept> qint32 TreePath::firstNameMatch(const QString& leaf, Accept accept)
{
    const qint64 total = m_table.count();
    qint64 from = 0;
    while (from < total) {
        if (!m_table.scanText(from, Prop::Name, leaf))
            return 0;
        const qint64 hit = m_table.position();
        // The scan wrapped past the last record: every record was seen.
        if (hit < from)
            return 0;
        const Node candidate{m_table.getInt(m_idProp), m_table.getInt(Prop::Parent),
                             m_table.getText(Prop::Name)};
        if (accept(candidate))
            return candidate.id;
        from = hit + 1;
    }
    return 0;
}

// Assumes the cursor is in id order.
QString TreePath::belowRoot(const QString& path)
{
    if (path.startsWith(Separator))
        return path.mid(1);
    const std::optional<Node> root = read(RootId);
    if (!root || root->name.isEmpty())
        return path;
    const qsizetype n = root->name.size();
    if (path.size() > n && path[n] == Separator &&
        QStringView(path).left(n).compare(root->name, Qt::CaseInsensitive) == 0)
        return path.mid(n + 1);
    return path;
}

qint32 TreePath::findInScope(const QString& typed)
{
    const QString path = belowRoot(typed);
    if (path.isEmpty())
        return 0;
    const QString leaf = path.section(Separator, -1);
    return firstNameMatch(leaf, [&](const Node& candidate) {
        return pathOfChain(chainOf(candidate.id)).compare(path, Qt::CaseInsensitive) == 0;
    });
}

qint32 TreePath::findByPath(const QString& path)
{
    SortScope scope(m_table, m_idProp);
    return scope.ok() ? findInScope(path) : 0;
}

qint32 TreePath::findByPathPrefix(const QString& typed)
{
    if (typed.isEmpty())
        return 0;
    SortScope scope(m_table, m_idProp);
    if (!scope.ok())
        return 0;
    const QString text = belowRoot(typed);
    const qsizetype cut = text.lastIndexOf(Separator) + 1;
    const QString parentPart = text.left(cut);
    const QString leaf = text.mid(cut);
    return firstNameMatch(leaf, [&](const Node& candidate) {
        if (candidate.parent == 0)
            return false;
        const QString path = pathOfChain(chainOf(candidate.id));
        return path.compare(parentPart + candidate.name, Qt::CaseInsensitive) == 0;
    });
}

qint32 TreePath::createInScope(qint32 parent, const QString& name)
{
    const qint32 id = m_table.nextId(m_idProp);
    if (id == 0)
        return 0;
    m_table.beginNew();
    const bool written = m_table.setInt(m_idProp, id) && m_table.setInt(Prop::Parent, parent) &&
                         m_table.setText(Prop::Name, name, true);
    return written ? id : 0;
}

qint32 TreePath::createChild(qint32 parent, const QString& name)
{
    SortScope scope(m_table, m_idProp);
    return scope.ok() ? createInScope(parent, name) : 0;
}

// Equivalent to "find the parent part, else create it by path, then add the
// leaf", unrolled so that a path of many components cannot exhaust the stack:
// find the longest existing parent part, then create the rest downwards.
qint32 TreePath::createByPath(const QString& path)
{
    if (path.isEmpty())
        return RootId;
    if (!m_table.store())
        return 0;
    StoreTransaction transaction(*m_table.store());
    SortScope scope(m_table, m_idProp);
    if (!transaction.isOpen() || !scope.ok())
        return 0;
    const QStringList parts = split(belowRoot(path));
    if (parts.isEmpty())
        return RootId;
    qsizetype existing = parts.size() - 1;
    qint32 parent = RootId;
    for (; existing > 0; --existing) {
        const QString parentPath = QStringList(parts.begin(), parts.begin() + existing).join(Separator);
        if (parentPath.isEmpty())
            break;
        if (const qint32 found = findInScope(parentPath)) {
            parent = found;
            break;
        }
    }
    for (qsizetype i = existing; i < parts.size() && parent != 0; ++i)
        parent = createInScope(parent, parts[i]);
    return parent != 0 && transaction.commit() ? parent : 0;
}
