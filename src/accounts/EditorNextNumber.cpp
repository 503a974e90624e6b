#include "accounts/EditorNextNumber.h"

#include "store/RecordLayout.h"

#include <limits>

QString EditorNextNumber::after(DbTable& transactions, const AccountRun& run)
{
    for (qint64 p = run.end() - 1; p >= run.first; --p) {
        if (!transactions.moveTo(p) || transactions.getInt64(Prop::Amount) >= 0)
            continue;
        if (const std::optional<qint64> n = parse(transactions.getText(Prop::Number)))
            return next(*n);
    }
    return next(0);
}

std::optional<qint64> EditorNextNumber::parse(const QString& text)
{
    const QString trimmed = text.trimmed();
    const qsizetype digitsFrom = trimmed.startsWith(u'-') || trimmed.startsWith(u'+') ? 1 : 0;
    if (trimmed.size() == digitsFrom)
        return std::nullopt;
    for (qsizetype i = digitsFrom; i < trimmed.size(); ++i) {
        if (trimmed[i] < u'0' || trimmed[i] > u'9')
            return std::nullopt;
    }
    bool ok = false;
    const qint64 n = trimmed.toLongLong(&ok);
    if (!ok || n == 0)
        return std::nullopt;
    return n;
}

QString EditorNextNumber::next(qint64 n)
{
    return QString::number(n == std::numeric_limits<qint64>::max() ? n : n + 1);
}
