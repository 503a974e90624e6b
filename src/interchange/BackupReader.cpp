#include "interchange/BackupReader.h"

#include "interchange/BackupFormat.h"

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

BackupReader::BackupReader(QByteArrayView data) : m_data(data)
{
    if (headerTime(data))
        m_pos = BackupFormat::HeaderSize;
    else
        m_final = ItemKind::Error;
}

quint8 BackupReader::get8()
{
    return static_cast<quint8>(m_data[m_pos++]);
}

quint16 BackupReader::get16()
{
    const quint16 low = get8();
    return static_cast<quint16>(low | (get8() << 8));
}

quint32 BackupReader::get32()
{
    const quint32 low = get16();
    return low | (static_cast<quint32>(get16()) << 16);
}

quint64 BackupReader::get64()
{
    const quint64 low = get32();
    return low | (static_cast<quint64>(get32()) << 32);
}

QString BackupReader::getUnits(qsizetype units)
{
    QString out(units, Qt::Uninitialized);
    char16_t* dst = reinterpret_cast<char16_t*>(out.data());
    for (qsizetype i = 0; i < units; ++i)
        dst[i] = get16();
    return out;
}

// A 16-bit length and that many code units; nullopt when they run past the data.
std::optional<QString> BackupReader::lengthAndUnits()
{
    if (!has(2))
        return std::nullopt;
    const qsizetype units = get16();
    if (!has(units * 2))
        return std::nullopt;
    return getUnits(units);
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
        const std::optional<QString> text = lengthAndUnits();
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
