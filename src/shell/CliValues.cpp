#include "shell/CliValues.h"

#include "platform/Clock.h"
#include "reference/BuiltInCurrencies.h"

std::optional<Money> CliValues::amount(const QString& text)
{
    const bool hasDigit = std::any_of(text.begin(), text.end(), [](QChar c) { return c.isDigit(); });
    if (!hasDigit)
        return std::nullopt;
    return moneyFromTypedText(text);
}

std::optional<int> CliValues::currencyRow(const QString& code)
{
    const int row = BuiltInCurrencies::firstRowOf(code.trimmed().toUpper());
    if (row < 0)
        return std::nullopt;
    return row;
}

std::optional<qint64> CliValues::row(const QString& text)
{
    bool ok = false;
    const qint64 n = text.toLongLong(&ok);
    if (!ok || n < 0)
        return std::nullopt;
    return n;
}

QString CliValues::jsonDate(FileTime t)
{
    return Clock::formatMoment(localFromFileTime(t));
}

void CliValues::printJson(QTextStream& out, const QJsonDocument& document)
{
    out << QString::fromUtf8(document.toJson(QJsonDocument::Compact)) << '\n';
}
