#include "reference/TreeNameRule.h"

#include "reference/TreeTable.h"

std::optional<QString> TreeNameRule::problem(const QString& name)
{
    if (name.trimmed().isEmpty())
        return QString::fromLatin1(EmptyText);
    if (name.size() > MaxLength)
        return QString::fromLatin1(TooLongText);
    if (!TreeTable::isTypeableName(name))
        return QString::fromLatin1(TreeTable::NameWithColonText);
    if (name.contains(u'[') || name.contains(u']'))
        return QString::fromLatin1(BracketText);
    return std::nullopt;
}
