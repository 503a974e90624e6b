#include "reports/ReportLabels.h"

#include "store/RecordLayout.h"
#include "store/SortScope.h"
#include "store/TableSet.h"
#include "store/TreePath.h"

namespace {

// The node of a tree record; a missing record gives an empty node.
template <typename NodeT> NodeT readNode(DbTable& table, quint16 idProp, qint32 id)
{
    NodeT node;
    TreePath paths(table, idProp);
    if (const std::optional<TreePath::Node> found = paths.node(id)) {
        node.parent = found->parent;
        node.name = found->name;
        node.path = paths.pathOf(id);
    }
    return node;
}

}  // namespace

QString ReportLabels::accountName(qint32 id)
{
    const auto it = m_accounts.constFind(id);
    if (it != m_accounts.constEnd())
        return *it;
    DbTable& accounts = m_tables.accounts();
    QString name;
    {
        const SortScope scope(accounts, Prop::AccountId);
        if (scope.ok() && accounts.seekInt(SeekKind::Equal, id))
            name = accounts.getText(Prop::Name);
    }
    m_accounts.insert(id, name);
    return name;
}

const ReportLabels::Node& ReportLabels::category(qint32 id)
{
    auto it = m_categories.find(id);
    if (it == m_categories.end())
        it = m_categories.insert(id, readNode<Node>(m_tables.categories(), Prop::CategoryId, id));
    return *it;
}

const ReportLabels::Node& ReportLabels::project(qint32 id)
{
    auto it = m_projects.find(id);
    if (it == m_projects.end())
        it = m_projects.insert(id, readNode<Node>(m_tables.projects(), Prop::ProjectId, id));
    return *it;
}

QString ReportLabels::categoryPath(qint32 id)
{
    return id > 0 ? category(id).path : QString();
}
QString ReportLabels::projectPath(qint32 id)
{
    return id > 0 ? project(id).path : QString();
}
qint32 ReportLabels::categoryParent(qint32 id)
{
    return id > 0 ? category(id).parent : 0;
}
qint32 ReportLabels::projectParent(qint32 id)
{
    return id > 0 ? project(id).parent : 0;
}
QString ReportLabels::categoryName(qint32 id)
{
    return id > 0 ? category(id).name : QString();
}
QString ReportLabels::projectName(qint32 id)
{
    return id > 0 ? project(id).name : QString();
}

void ReportLabels::forget()
{
    m_accounts.clear();
    m_categories.clear();
    m_projects.clear();
}
