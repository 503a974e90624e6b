#include "interchange/BackupReader.h"

#include "interchange/BackupFormat.h"

#include <QtEndian>

std::optional<FileTime> BackupReader::headerTime(QByteArrayView data)
{
    if (data.size() < BackupFormat::HeaderSize)
        return std::nullopt;
    const auto byte = [&](qsizetype i) { return static_cast<quint8>(data[i]); };
    if (byte(0) != BackupFormat::Signature || byte(1) != BackupFormat::Version[0])
        return std::nullopt;
    quint64 time = 0;
    for (int i = 7; i >= 0; --i)
        time = (time << 8) | byte(5 + i);
    return static_cast<FileTime>(time);
}

BackupReader::BackupReader(QByteArrayView data, Values values) : m_data(data), m_values(values)
{
    if (headerTime(data))
        m_pos = BackupFormat::HeaderSize;
    else
        m_final = ItemKind::Error;
}

const uchar* BackupReader::here() const
{
    return reinterpret_cast<const uchar*>(m_data.data()) + m_pos;
}

quint8 BackupReader::get8()
{
    return static_cast<quint8>(m_data[m_pos++]);
}

quint16 BackupReader::get16()
{
    const quint16 v = qFromLittleEndian<quint16>(here());
    m_pos += 2;
    return v;
}

quint32 BackupReader::get32()
{
    const quint32 v = qFromLittleEndian<quint32>(here());
    m_pos += 4;
    return v;
}

quint64 BackupReader::get64()
{
    const quint64 v = qFromLittleEndian<quint64>(here());
    m_pos += 8;
    return v;
}

QString BackupReader::getUnits(qsizetype units)
{
    QString out(units, Qt::Uninitialized);
    qFromLittleEndian<quint16>(here(), units, out.data());
    m_pos += units * 2;
    return out;
}

std::optional<QString> BackupReader::lengthAndUnits(bool keep)
{
    if (!has(2))
        return std::nullopt;
    const qsizetype units = get16();
    if (!has(units * 2))
        return std::nullopt;
    if (keep)
        return getUnits(units);
    m_pos += units * 2;
    return QString();
}

BackupReader::Item BackupReader::fail()
{
    m_final = ItemKind::Error;
    return Item{};
}

BackupReader::Item BackupReader::readProperty(PropType type, bool wide)
{
    Item item;
    item.kind = ItemKind::Property;
    if (!has(2))
        return fail();
    const quint16 id = get16();
    if (type == PropType::Text) {
        const std::optional<QString> text = lengthAndUnits(m_values == Values::Read);
        if (!text)
            return fail();
        item.property = PropValue::ofText(id, *text);
    } else if (wide) {
        if (!has(8))
            return fail();
        item.property = PropValue::ofInt64(id, static_cast<qint64>(get64()));
    } else {
        if (!has(4))
            return fail();
        item.property = PropValue::ofInt(id, static_cast<qint32>(get32()));
    }
    return item;
}

BackupReader::Item BackupReader::readSetting(bool withNumber)
{
    Item item;
    item.kind = withNumber ? ItemKind::IntSetting : ItemKind::TextSetting;
    std::optional<QString> section = lengthAndUnits();
    std::optional<QString> key = section ? lengthAndUnits() : std::nullopt;
    if (!key)
        return fail();
    item.section = std::move(*section);
    item.key = std::move(*key);
    if (withNumber) {
        if (!has(4))
            return fail();
        item.number = static_cast<qint32>(get32());
        return item;
    }
    std::optional<QString> value = lengthAndUnits();
    if (!value)
        return fail();
    item.text = std::move(*value);
    return item;
}

BackupReader::Item BackupReader::next()
{
    if (m_final) {
        Item item;
        item.kind = *m_final;
        return item;
    }
    if (!has(1))
        return fail();  // the data ended before the end item
    Item item;
    switch (get8()) {
    case BackupFormat::SectionTag: {
        if (!has(1))
            return fail();
        const qsizetype units = get8();
        if (!has(units * 2))
            return fail();
        item.kind = ItemKind::Section;
        item.name = getUnits(units);
        return item;
    }
    case BackupFormat::RecordTag:
        item.kind = ItemKind::Record;
        return item;
    case BackupFormat::TextTag:
        return readProperty(PropType::Text, false);
    case BackupFormat::DateTag:
    case BackupFormat::AmountTag:
        return readProperty(PropType::Int64, true);
    case BackupFormat::IntegerTag:
        return readProperty(PropType::Int, false);
    case BackupFormat::TextSettingTag:
        return readSetting(false);
    case BackupFormat::IntSettingTag:
        return readSetting(true);
    case BackupFormat::SkipTag:
        if (!has(BackupFormat::SkipLength))
            return fail();
        m_pos += BackupFormat::SkipLength;
        item.kind = ItemKind::Skipped;
        return item;
    case BackupFormat::EndTag:
        m_final = ItemKind::End;
        item.kind = ItemKind::End;
        return item;
    default:
        return fail();
    }
}
