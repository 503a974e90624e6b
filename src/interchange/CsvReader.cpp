#include "interchange/CsvReader.h"

bool CsvRow::isBlank() const
{
    for (const QString& field : fields) {
        if (!field.trimmed().isEmpty())
            return false;
    }
    return true;
}

std::optional<CsvRow> CsvReader::next()
{
    if (m_pos >= m_text.size() || !m_failure.isEmpty())
        return std::nullopt;
    CsvRow row;
    row.line = m_rowLine = m_line;
    for (;;) {
        QString field;
        const FieldEnd end = readField(field);
        if (end == FieldEnd::Fault)
            return std::nullopt;
        row.fields.append(std::move(field));
        if (end == FieldEnd::Row)
            return row;
    }
}

// Steps over the delimiter or line break at `pos`, or past the end.
CsvReader::FieldEnd CsvReader::endAt(qsizetype pos)
{
    if (pos >= m_text.size()) {
        m_pos = pos;
        return FieldEnd::Row;
    }
    const QChar c = m_text[pos];
    if (c == m_delimiter) {
        m_pos = pos + 1;
        return FieldEnd::Delimiter;
    }
    if (c == u'\r' && pos + 1 < m_text.size() && m_text[pos + 1] == u'\n')
        ++pos;
    m_pos = pos + 1;
    ++m_line;
    return FieldEnd::Row;
}

CsvReader::FieldEnd CsvReader::readField(QString& field)
{
    if (m_pos < m_text.size() && m_text[m_pos] == m_quote)
        return readQuoted(field);
    qsizetype end = m_pos;
    while (end < m_text.size()) {
        const QChar c = m_text[end];
        if (c == m_delimiter || c == u'\n' || c == u'\r')
            break;
        ++end;
    }
    field = m_text.sliced(m_pos, end - m_pos).toString();
    return endAt(end);
}

CsvReader::FieldEnd CsvReader::readQuoted(QString& field)
{
    qsizetype pos = m_pos + 1;
    for (;;) {
        const qsizetype quote = m_text.indexOf(m_quote, pos);
        if (quote < 0) {
            m_failure = QString::fromUtf8(OpenQuoteText).arg(m_rowLine);
            return FieldEnd::Fault;
        }
        const QStringView part = m_text.sliced(pos, quote - pos);
        m_line += part.count(u'\n') + part.count(u'\r') - part.count(u"\r\n");
        field += part;
        if (quote + 1 < m_text.size() && m_text[quote + 1] == m_quote) {
            field += m_quote;
            pos = quote + 2;
            continue;
        }
        const qsizetype after = quote + 1;
        if (after < m_text.size()) {
            const QChar c = m_text[after];
            if (c != m_delimiter && c != u'\n' && c != u'\r') {
                m_failure = QString::fromUtf8(AfterQuoteText).arg(m_line);
                return FieldEnd::Fault;
            }
        }
        return endAt(after);
    }
}
