#include "interchange/BackupWriter.h"

#include "interchange/BackupFormat.h"

namespace {

// Large enough that a book of any size costs few device writes.
constexpr qsizetype FlushAt = 256 * 1024;

}  // namespace

BackupWriter::BackupWriter(QIODevice& out) : m_out(out)
{
    m_buffer.reserve(FlushAt + 1024);
}

bool BackupWriter::fail(Failure failure)
{
    if (m_failure == Failure::None)
        m_failure = failure;
    return false;
}

bool BackupWriter::put8(quint8 v)
{
    m_buffer.append(static_cast<char>(v));
    return true;
}

bool BackupWriter::put16(quint16 v)
{
    put8(static_cast<quint8>(v & 0xFF));
    return put8(static_cast<quint8>(v >> 8));
}

bool BackupWriter::put32(quint32 v)
{
    put16(static_cast<quint16>(v & 0xFFFF));
    return put16(static_cast<quint16>(v >> 16));
}

bool BackupWriter::put64(quint64 v)
{
    put32(static_cast<quint32>(v & 0xFFFFFFFFu));
    return put32(static_cast<quint32>(v >> 32));
}

bool BackupWriter::putUnits(QStringView text)
{
    for (const QChar c : text)
        put16(c.unicode());
    return true;
}

bool BackupWriter::putLengthAndUnits(QStringView text)
{
    if (text.size() > BackupFormat::MaxTextLength)
        return fail(Failure::TooLong);
    put16(static_cast<quint16>(text.size()));
    return putUnits(text);
}

bool BackupWriter::flushIfFull()
{
    return m_buffer.size() < FlushAt || flush();
}

bool BackupWriter::flush()
{
    if (m_failure != Failure::None)
        return false;
    if (m_buffer.isEmpty())
        return true;
    const qint64 written = m_out.write(m_buffer);
    if (written != m_buffer.size())
        return fail(Failure::Write);
    m_buffer.clear();
    return true;
}

bool BackupWriter::header(FileTime time)
{
    if (m_failure != Failure::None)
        return false;
    put8(BackupFormat::Signature);
    for (quint8 v : BackupFormat::Version)
        put8(v);
    put64(static_cast<quint64>(time));
    return flushIfFull();
}

bool BackupWriter::section(QStringView tableName)
{
    if (m_failure != Failure::None)
        return false;
    if (tableName.size() > BackupFormat::MaxSectionNameLength)
        return fail(Failure::TooLong);
    put8(BackupFormat::SectionTag);
    put8(static_cast<quint8>(tableName.size()));
    putUnits(tableName);
    return flushIfFull();
}

bool BackupWriter::record()
{
    if (m_failure != Failure::None)
        return false;
    put8(BackupFormat::RecordTag);
    return flushIfFull();
}

bool BackupWriter::text(quint16 id, QStringView value)
{
    if (m_failure != Failure::None)
        return false;
    if (value.size() > BackupFormat::MaxTextLength)
        return fail(Failure::TooLong);
    put8(BackupFormat::TextTag);
    put16(id);
    putLengthAndUnits(value);
    return flushIfFull();
}

bool BackupWriter::int64(quint8 tag, quint16 id, qint64 value)
{
    if (m_failure != Failure::None)
        return false;
    put8(tag);
    put16(id);
    put64(static_cast<quint64>(value));
    return flushIfFull();
}

bool BackupWriter::integer(quint16 id, qint32 value)
{
    if (m_failure != Failure::None)
        return false;
    put8(BackupFormat::IntegerTag);
    put16(id);
    put32(static_cast<quint32>(value));
    return flushIfFull();
}

bool BackupWriter::textSetting(QStringView section, QStringView key, QStringView value)
{
    if (m_failure != Failure::None)
        return false;
    if (section.size() > BackupFormat::MaxTextLength || key.size() > BackupFormat::MaxTextLength ||
        value.size() > BackupFormat::MaxTextLength)
        return fail(Failure::TooLong);
    put8(BackupFormat::TextSettingTag);
    putLengthAndUnits(section);
    putLengthAndUnits(key);
    putLengthAndUnits(value);
    return flushIfFull();
}

bool BackupWriter::end()
{
    if (m_failure != Failure::None)
        return false;
    put8(BackupFormat::EndTag);
    return flush();
}
