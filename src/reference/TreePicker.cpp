#include "reference/TreePicker.h"

bool TreePicker::canAccept(qint32 id) const
{
    if (m_kind == Kind::Project)
        return id > 0;
    return id != 0 && id != TreeTable::RootId;
}

qint32 TreePicker::accept(qint32 id)
{
    if (id != 0)
        m_remembered = id;
    return id;
}

QString TreePicker::newItemText() const
{
    return QString::fromUtf8(m_kind == Kind::Category ? NewCategoryText : NewProjectText);
}

qint32 TreePicker::createChild(TreeTable& tree, qint32 selected) const
{
    if (!canCreate(selected) || !tree.exists(selected))
        return 0;
    return tree.create(selected, newItemText());
}
