#include "interchange/QifStatementSource.h"

#include "interchange/QifDateOrderScan.h"
#include "interchange/QifRecord.h"

QifDateOrder QifStatementSource::scanDateOrder()
{
    QifDateOrderScan scan;
    QifPassLines lines(m_reader);
    for (std::optional<QifLine> line = lines.next(); line; line = lines.next()) {
        if (line->isTag('D') && scan.feed(line->value()))
            break;
    }
    return scan.result(m_locale.dateOrder);
}

qint64 QifStatementSource::countRecords()
{
    qint64 count = 0;
    QifPassLines lines(m_reader);
    for (std::optional<QifLine> line = lines.next(); line; line = lines.next()) {
        if (line->isTag('^'))
            ++count;
    }
    return count;
}

// A QIF file names no currency: its amounts are the account's.
std::optional<qint64> QifStatementSource::prepare(const QString&)
{
    if (!m_reader.canRewind())
        return std::nullopt;
    m_order = scanDateOrder();
    if (m_reader.failed() || !m_reader.rewind())
        return std::nullopt;
    const qint64 records = countRecords();
    if (m_reader.failed() || !m_reader.rewind())
        return std::nullopt;
    m_lines.emplace(m_reader);
    return records;
}

StatementSource::Next QifStatementSource::next(StatementLine& out)
{
    if (!m_lines)
        return Next::Failed;
    QifRecord record;
    for (std::optional<QifLine> line = m_lines->next(); line; line = m_lines->next()) {
        switch (record.apply(*line, m_order, &m_namedClass)) {
        case QifRecord::Effect::None:
            break;
        case QifRecord::Effect::Clear:
            record.clear();
            break;
        case QifRecord::Effect::Finish:
            out.date = record.date;
            out.dateValid = record.dateValid;
            out.amount = moneyFromUnits(record.amount);
            out.description = record.payee;
            out.memo = record.memo;
            out.contact = record.address;
            out.number = record.number;
            out.status = record.status;
            out.category = record.category;
            out.project = record.projectClass;
            out.namedCategories = record.namedCategories;
            out.namedProjects = record.namedClasses;
            return Next::Line;
        }
    }
    return m_reader.failed() ? Next::Failed : Next::End;
}
