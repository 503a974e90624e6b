#include "shell/CliValues.h"

#include "platform/Clock.h"
#include "reference/BuiltInCurrencies.h"

#include <QRegularExpression>

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

std::optional<LocalTime> CliValues::date(const QString& text)
{
    static const QRegularExpression form(QStringLiteral("^(\\d{4})-(\\d{2})-(\\d{2})$"));
    const QRegularExpressionMatch m = form.match(text);
    if (!m.hasMatch())
        return std::nullopt;
    const LocalTime day{m.captured(1).toInt(), m.captured(2).toInt(), m.captured(3).toInt(), 0, 0, 0, 0};
    if (!isValidDate(day.year, day.month, day.day))
        return std::nullopt;
    return day;
}

std::optional<FileTime> CliValues::day(const QString& text)
{
    const std::optional<LocalTime> d = date(text);
    return d ? fileTimeFromLocal(*d) : std::nullopt;
}

QString CliValues::folded(const QString& name)
{
    QString out;
    for (const QChar c : name) {
        if (c != u' ' && c != u'-' && c != u'_')
            out += c.toLower();
    }
    return out;
}
