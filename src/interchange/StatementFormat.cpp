#include "interchange/StatementFormat.h"

std::optional<StatementFormat> statementFormatNamed(const QString& name)
{
    const QString n = name.trimmed().toLower();
    if (n == QLatin1String("qif"))
        return StatementFormat::Qif;
    if (n == QLatin1String("ofx") || n == QLatin1String("qfx"))
        return StatementFormat::Ofx;
    if (n == QLatin1String("csv"))
        return StatementFormat::Csv;
    return std::nullopt;
}

std::optional<StatementFormat> statementFormatOfPath(const QString& path)
{
    const qsizetype dot = path.lastIndexOf(u'.');
    const qsizetype slash = qMax(path.lastIndexOf(u'/'), path.lastIndexOf(u'\\'));
    if (dot < 0 || dot < slash)
        return std::nullopt;
    return statementFormatNamed(path.mid(dot + 1));
}
