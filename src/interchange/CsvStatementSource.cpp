#include "interchange/CsvStatementSource.h"

#include "interchange/CsvAmount.h"
#include "interchange/CsvText.h"

#include <QDate>
#include <QFile>

namespace {

// Far beyond any statement a bank hands out; a larger file is refused unread.
constexpr qint64 MaxFileBytes = qint64(512) * 1024 * 1024;

using Column = CsvMapping::Column;

QString field(const CsvRow& row, const CsvMapping& mapping, Column column)
{
    const int at = mapping.indexOf(column);
    return at < 0 ? QString() : row.fields[at].trimmed();
}

// Qt reads "yy" as 1900..1999; a bank's two-digit year is 1970..2069.
std::optional<FileTime> parseDate(const QString& text, const QString& format)
{
    QDate date = QDate::fromString(text, format);
    if (!date.isValid())
        return std::nullopt;
    if (!format.contains(QLatin1String("yyyy")) && format.contains(QLatin1String("yy")) && date.year() < 1970)
        date = date.addYears(100);
    return fileTimeFromLocal(LocalTime{date.year(), date.month(), date.day(), 0, 0, 0, 0});
}

QString atLine(const char* text, qint64 line)
{
    return QString::fromUtf8(text).arg(line);
}

// The amount of a row: its amount column, or credit less debit, each of
// those taken without its sign.
bool amountOf(const CsvRow& row, const CsvMapping& mapping, StatementLine& line, QString* error)
{
    const auto read = [&](Column column, std::optional<Money>* out) {
        const QString text = field(row, mapping, column);
        if (text.isEmpty())
            return true;
        *out = parseCsvAmount(text, mapping.decimal);
        if (!*out)
            *error = QString::fromUtf8(CsvStatementSource::BadAmountText).arg(row.line).arg(text);
        return out->has_value();
    };
    std::optional<Money> amount;
    std::optional<Money> debit;
    std::optional<Money> credit;
    if (!read(Column::Amount, &amount) || !read(Column::Debit, &debit) || !read(Column::Credit, &credit))
        return false;
    if (!amount && (debit || credit)) {
        const qint64 d = debit ? qAbs(debit->hundredths()) : 0;
        const qint64 c = credit ? qAbs(credit->hundredths()) : 0;
        if (qAbs(c - d) > MaxEnteredHundredths) {
            *error = QString::fromUtf8(CsvStatementSource::BadAmountText)
                         .arg(row.line)
                         .arg(field(row, mapping, Column::Credit));
            return false;
        }
        amount = Money::fromHundredths(c - d);
    }
    if (!amount) {
        *error = atLine(CsvStatementSource::NoAmountText, row.line);
        return false;
    }
    line.amount = amount;
    return true;
}

}  // namespace

bool CsvStatementSource::lineOf(const CsvRow& row, const CsvMapping& mapping, StatementLine& line,
                                QString* error)
{
    if (row.fields.size() < static_cast<qsizetype>(mapping.columns.size())) {
        // Columns the mapping skips at the end may be missing.
        qsizetype needed = static_cast<qsizetype>(mapping.columns.size());
        while (needed > 0 && mapping.columns[needed - 1] == Column::Skip)
            --needed;
        if (row.fields.size() < needed) {
            *error = QString::fromUtf8(FewFieldsText).arg(row.line).arg(row.fields.size()).arg(needed);
            return false;
        }
    }
    CsvRow padded = row;
    while (padded.fields.size() < static_cast<qsizetype>(mapping.columns.size()))
        padded.fields.append(QString());
    const QString dateText = field(padded, mapping, Column::Date);
    const std::optional<FileTime> date = parseDate(dateText, mapping.dateFormat);
    if (!date) {
        *error = QString::fromUtf8(BadDateText).arg(row.line).arg(dateText, mapping.dateFormat);
        return false;
    }
    line.date = *date;
    line.dateValid = true;
    if (!amountOf(padded, mapping, line, error))
        return false;
    line.description = field(padded, mapping, Column::Description);
    line.memo = field(padded, mapping, Column::Memo);
    line.number = field(padded, mapping, Column::Number);
    line.category = field(padded, mapping, Column::Category);
    if (!line.category.isEmpty())
        line.namedCategories.append(line.category);
    return true;
}

bool CsvStatementSource::read(std::vector<StatementLine>& lines)
{
    if (const QString problem = m_mapping.problem(); !problem.isEmpty())
        return fail(problem);
    QFile file(m_path);
    if (!file.open(QIODevice::ReadOnly) || file.size() > MaxFileBytes)
        return fail(QString::fromUtf8(ReadErrorText));
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return fail(QString::fromUtf8(ReadErrorText));
    const std::optional<QString> text = decodeCsvText(bytes, m_mapping.encoding);
    if (!text)
        return fail(QString::fromUtf8(EncodingText).arg(m_mapping.encoding));
    CsvReader reader(*text, m_mapping.delimiter, m_mapping.quote);
    int skipped = 0;
    for (std::optional<CsvRow> row = reader.next(); row; row = reader.next()) {
        if (skipped < m_mapping.headerRows) {
            ++skipped;
            continue;
        }
        if (row->isBlank())
            continue;
        StatementLine line;
        QString error;
        if (!lineOf(*row, m_mapping, line, &error))
            return fail(error);
        lines.push_back(std::move(line));
    }
    if (!reader.failure().isEmpty())
        return fail(reader.failure());
    return true;
}
