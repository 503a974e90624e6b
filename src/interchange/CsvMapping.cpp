#include "interchange/CsvMapping.h"

#include <QHash>
#include <QUrl>

#include <array>

namespace {

struct Named {
    CsvMapping::Column column;
    const char* name;
};

constexpr std::array<Named, 9> Names{{{CsvMapping::Column::Skip, "skip"},
                                      {CsvMapping::Column::Date, "date"},
                                      {CsvMapping::Column::Description, "description"},
                                      {CsvMapping::Column::Memo, "memo"},
                                      {CsvMapping::Column::Number, "number"},
                                      {CsvMapping::Column::Category, "category"},
                                      {CsvMapping::Column::Amount, "amount"},
                                      {CsvMapping::Column::Debit, "debit"},
                                      {CsvMapping::Column::Credit, "credit"}}};

// One character of the saved form: a tab is written "tab".
QString charText(QChar c)
{
    return c == u'\t' ? QStringLiteral("tab") : QString(c);
}

std::optional<QChar> charOf(const QString& text)
{
    if (text == QLatin1String("tab"))
        return QChar(u'\t');
    if (text.size() != 1)
        return std::nullopt;
    return text.front();
}

}  // namespace

QString CsvMapping::nameOf(Column column)
{
    for (const Named& n : Names) {
        if (n.column == column)
            return QString::fromLatin1(n.name);
    }
    return {};
}

std::optional<CsvMapping::Column> CsvMapping::columnNamed(const QString& name)
{
    const QString wanted = name.trimmed().toLower();
    for (const Named& n : Names) {
        if (wanted == QLatin1String(n.name))
            return n.column;
    }
    return std::nullopt;
}

std::optional<std::vector<CsvMapping::Column>> CsvMapping::parseColumns(const QString& list, QString* error)
{
    std::vector<Column> columns;
    for (const QString& name : list.split(u',')) {
        const std::optional<Column> column = columnNamed(name);
        if (!column) {
            if (error)
                *error = QString::fromUtf8(UnknownColumnText).arg(name.trimmed());
            return std::nullopt;
        }
        columns.push_back(*column);
    }
    return columns;
}

QString CsvMapping::columnList() const
{
    QStringList names;
    for (Column c : columns)
        names.append(nameOf(c));
    return names.join(u',');
}

int CsvMapping::indexOf(Column column) const
{
    for (size_t i = 0; i < columns.size(); ++i) {
        if (columns[i] == column)
            return static_cast<int>(i);
    }
    return -1;
}

QString CsvMapping::problem() const
{
    if (indexOf(Column::Date) < 0)
        return QString::fromUtf8(NoDateColumnText);
    const bool debitCredit = indexOf(Column::Debit) >= 0 || indexOf(Column::Credit) >= 0;
    if (indexOf(Column::Amount) < 0 && !debitCredit)
        return QString::fromUtf8(NoAmountColumnText);
    return {};
}

// "key=value&key=value", every value percent-encoded down to letters,
// digits and "-._~", so no settings file takes any of it for a separator.
QString CsvMapping::toText() const
{
    const std::pair<const char*, QString> items[] = {
        {"columns", columnList()},  {"delimiter", charText(delimiter)},
        {"quote", charText(quote)}, {"decimal", charText(decimal)},
        {"date", dateFormat},       {"header", QString::number(headerRows)},
        {"encoding", encoding},
    };
    QStringList parts;
    for (const auto& [key, value] : items)
        parts.append(QString::fromLatin1(key) + u'=' + QString::fromLatin1(QUrl::toPercentEncoding(value)));
    return parts.join(u'&');
}

std::optional<CsvMapping> CsvMapping::fromText(const QString& text)
{
    QHash<QString, QString> values;
    for (const QString& part : text.split(u'&')) {
        const qsizetype eq = part.indexOf(u'=');
        if (eq > 0)
            values.insert(part.left(eq), QUrl::fromPercentEncoding(part.mid(eq + 1).toLatin1()));
    }
    const auto value = [&values](const char* key) { return values.value(QString::fromLatin1(key)); };
    CsvMapping m;
    const std::optional<std::vector<Column>> columns = parseColumns(value("columns"));
    const std::optional<QChar> delimiter = charOf(value("delimiter"));
    const std::optional<QChar> quote = charOf(value("quote"));
    const std::optional<QChar> decimal = charOf(value("decimal"));
    bool headerOk = false;
    const int header = value("header").toInt(&headerOk);
    if (!columns || !delimiter || !quote || !decimal || !headerOk || header < 0)
        return std::nullopt;
    m.columns = *columns;
    m.delimiter = *delimiter;
    m.quote = *quote;
    m.decimal = *decimal;
    m.dateFormat = value("date");
    m.headerRows = header;
    m.encoding = value("encoding");
    return m;
}
