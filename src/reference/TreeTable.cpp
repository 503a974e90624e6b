#include "reference/TreeTable.h"

#include "reference/TreeNameRule.h"

#include "store/RecordLayout.h"
#include "store/SortScope.h"

TreeTable::TreeTable(DbTable& table, quint16 idProp, QString rootName)
    : m_table(table), m_idProp(idProp), m_rootName(std::move(rootName)), m_paths(table, idProp)
{
}

// Assumes the cursor is in id order.
bool TreeTable::seek(qint32 id)
{
    return m_table.seekInt(SeekKind::Equal, id);
}

TreeRecord TreeTable::current() const
{
    return {m_table.getInt(m_idProp), m_table.getInt(Prop::Parent), m_table.getText(Prop::Name),
            m_table.getInt(Prop::CheckState)};
}

std::optional<TreeRecord> TreeTable::record(qint32 id)
{
    SortScope scope(m_table, m_idProp);
    if (!scope.ok() || !seek(id))
        return std::nullopt;
    return current();
}

std::vector<TreeRecord> TreeTable::records()
{
    SortScope scope(m_table, m_idProp);
    std::vector<TreeRecord> all;
    if (!scope.ok())
        return all;
    const qint64 total = m_table.count();
    all.reserve(static_cast<size_t>(total));
    for (qint64 position = 0; position < total; ++position) {
        if (m_table.moveTo(position))
            all.push_back(current());
    }
    return all;
}

bool TreeTable::hasChildren(qint32 id)
{
    for (const TreeRecord& r : records()) {
        if (r.parent == id && r.id != id)
            return true;
    }
    return false;
}

qint32 TreeTable::createByPath(const QString& path)
{
    const qint32 id = m_paths.createByPath(path);
    if (id != 0 && !path.isEmpty())
        noteChange();
    return id;
}

qint32 TreeTable::findOrCreate(const QString& path, Interaction* ask, const QString& question)
{
    if (path.isEmpty())
        return 0;
    if (const qint32 found = findByPath(path))
        return found;
    if (ask && !ask->askYesNo(question))
        return 0;
    return createByPath(path);
}

qint32 TreeTable::create(qint32 parent, const QString& name)
{
    const qint32 id = m_paths.createChild(parent, name);
    if (id != 0)
        noteChange();
    return id;
}

bool TreeTable::rename(qint32 id, const QString& name, Interaction& ui)
{
    if (const std::optional<QString> problem = TreeNameRule::problem(name)) {
        ui.showMessage(*problem, Interaction::Icon::Exclamation);
        return false;
    }
    SortScope scope(m_table, m_idProp);
    if (!scope.ok() || !seek(id) || !m_table.setText(Prop::Name, name))
        return false;
    noteChange();
    return true;
}

bool TreeTable::setParent(qint32 id, qint32 parent)
{
    if (!exists(parent))
        return false;
    SortScope scope(m_table, m_idProp);
    if (!scope.ok() || !seek(id) || !m_table.setInt(Prop::Parent, parent))
        return false;
    noteChange();
    return true;
}

bool TreeTable::setCheckState(qint32 id, qint32 state)
{
    SortScope scope(m_table, m_idProp);
    if (!scope.ok() || !seek(id) || m_table.getInt(Prop::CheckState) == state)
        return false;
    if (!m_table.setInt(Prop::CheckState, state))
        return false;
    noteChange();
    return true;
}

bool TreeTable::ensureRoot()
{
    SortScope scope(m_table, m_idProp);
    if (!scope.ok())
        return false;
    if (seek(RootId))
        return true;
    m_table.beginNew();
    const bool written = m_table.setInt(m_idProp, RootId) && m_table.setInt(Prop::Parent, 0) &&
                         m_table.setText(Prop::Name, m_rootName, true);
    if (written)
        noteChange();
    return written;
}

bool TreeTable::removeRecord(qint32 id)
{
    SortScope scope(m_table, m_idProp);
    if (!scope.ok() || !seek(id) || !m_table.deleteAt(m_table.position()))
        return false;
    noteChange();
    return true;
}
