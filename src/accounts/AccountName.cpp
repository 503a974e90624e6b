#include "accounts/AccountName.h"

#include <algorithm>

std::optional<QString> AccountName::problem(const QString& typed)
{
    const QString name = typed.trimmed();
    if (name.isEmpty())
        return QString::fromLatin1(MissingText);
    if (std::any_of(name.begin(), name.end(), [](QChar c) { return c.category() == QChar::Other_Control; }))
        return QString::fromLatin1(ControlText);
    if (name.size() > MaxLength)
        return QString::fromLatin1(TooLongText);
    return std::nullopt;
}
