#include "reference/TreeClipboard.h"

void TreeClipboard::remember(qint32 id, Mode mode)
{
    m_id = id;
    m_mode = mode;
}

TreeClipboard::Outcome TreeClipboard::paste(TreeTable& tree, qint32 target)
{
    if (m_mode == Mode::None || m_id <= 0 || target <= 0 || target == m_id || !tree.exists(m_id) ||
        !tree.exists(target))
        return Outcome::Nothing;
    return m_mode == Mode::Move ? move(tree, target) : copyInto(tree, target);
}

TreeClipboard::Outcome TreeClipboard::move(TreeTable& tree, qint32 target)
{
    if (tree.paths().isSelfOrAncestor(m_id, target))
        return Outcome::Nothing;
    return tree.setParent(m_id, target) ? Outcome::Moved : Outcome::Failed;
}

TreeClipboard::Outcome TreeClipboard::copyInto(TreeTable& tree, qint32 target)
{
    const std::optional<TreeRecord> source = tree.record(m_id);
    return source && tree.create(target, source->name) != 0 ? Outcome::Copied : Outcome::Failed;
}
