#include "interchange/ExportWriter.h"

#include "interchange/ExportFields.h"
#include "interchange/QifExport.h"
#include "interchange/TextExport.h"
#include "store/KeyText.h"
#include "store/RecordLayout.h"
#include "store/SortScope.h"

#include <QSaveFile>

namespace {

constexpr qsizetype FlushAt = 64 * 1024;

// Lines collected in the file's encoding and handed to the device in chunks;
// the first write the device refuses fails every later call.
class LineSink {
public:
    LineSink(QIODevice& out, ExportFormat format, const CodePage& codePage)
        : m_out(out), m_unicode(format == ExportFormat::UnicodeText), m_codePage(codePage)
    {
    }

    bool line(const QString& text)
    {
        if (m_unicode) {
            appendUtf16(text);
            appendUtf16(u"\r\n");
        } else {
            m_buffer += m_codePage.encode(text);
            m_buffer += "\r\n";
        }
        return m_buffer.size() < FlushAt || flush();
    }

    bool flush()
    {
        if (m_failed)
            return false;
        if (!m_buffer.isEmpty() && m_out.write(m_buffer) != m_buffer.size())
            m_failed = true;
        m_buffer.clear();
        return !m_failed;
    }

private:
    void appendUtf16(QStringView text)
    {
        for (const QChar c : text) {
            m_buffer += static_cast<char>(c.unicode() & 0xFF);
            m_buffer += static_cast<char>(c.unicode() >> 8);
        }
    }

    QIODevice& m_out;
    bool m_unicode;
    const CodePage& m_codePage;
    QByteArray m_buffer;
    bool m_failed = false;
};

}  // namespace

bool ExportWriter::accountExists(qint32 account)
{
    DbTable& accounts = m_tables.accounts();
    SortScope scope(accounts, Prop::AccountId, DbTable::SortKind::Integer);
    return scope.ok() && accounts.seekInt(SeekKind::Equal, account);
}

ExportWriter::Start ExportWriter::start(const ExportRequest& request)
{
    m_written = 0;
    if (request.account < 1 || !accountExists(request.account))
        return Start::Failed;
    if (!m_tables.transactions().seekText(SeekKind::NotLess, dayStartKey(request.account, request.from)))
        return Start::NothingToWrite;
    return Start::Ready;
}

bool ExportWriter::write(const ExportRequest& request)
{
    SortScope scope(m_tables.transactions(), Prop::AccountKey, DbTable::SortKind::Text);
    if (!scope.ok())
        return false;
    switch (start(request)) {
    case Start::Failed:
        return false;
    case Start::NothingToWrite:
        return true;  // no file, and nothing went wrong
    case Start::Ready:
        break;
    }
    QSaveFile file(request.path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    // Without commit() the temporary file is dropped and an older file stays.
    return writeRecords(request, file) && file.commit();
}

bool ExportWriter::writeTo(const ExportRequest& request, QIODevice& out)
{
    SortScope scope(m_tables.transactions(), Prop::AccountKey, DbTable::SortKind::Text);
    if (!scope.ok())
        return false;
    switch (start(request)) {
    case Start::Failed:
        return false;
    case Start::NothingToWrite:
        return true;
    case Start::Ready:
        break;
    }
    return writeRecords(request, out);
}

bool ExportWriter::writeRecords(const ExportRequest& request, QIODevice& out)
{
    DbTable& t = m_tables.transactions();
    const bool qif = request.format == ExportFormat::Qif;
    const FileTime firstDay = startOfDay(request.from);
    const FileTime dayAfter = addDays(startOfDay(request.to), 1);
    ExportFieldReader reader(m_categories, m_projects, m_locale);
    LineSink sink(out, request.format, m_codePage);
    // The field reader moves other cursors only; this one keeps its place.
    if (!sink.line(qif ? QifExport::header() : TextExport::header()))
        return false;
    for (qint64 p = t.position(); p < t.count(); ++p) {
        if (!t.moveTo(p))
            return false;
        const FileTime date = t.getInt64(Prop::Date);
        if (t.getInt(Prop::AccountId) != request.account || date >= dayAfter)
            break;
        if (date < firstDay)
            continue;
        const ExportFields fields = reader.read(t);
        if (qif) {
            for (const QString& line :
                 QifExport::recordLines(fields, m_locale.dateOrder, request.fullYearDates)) {
                if (!sink.line(line))
                    return false;
            }
        } else if (!sink.line(TextExport::recordLine(fields, m_locale))) {
            return false;
        }
        ++m_written;
    }
    // QIF closes with one more line end after the last record.
    return (!qif || sink.line(QString())) && sink.flush();
}
