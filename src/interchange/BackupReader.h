#pragma once

// Reads a backup file (BackupFormat.h) item by item from bytes held in memory.
//
// Every length in the file is checked against the bytes that are left before
// anything is read or allocated, so no input, however damaged, makes the
// reader read outside the data, allocate more than the data holds, or loop:
// each item consumes at least its tag byte, and the first bad item ends the
// stream with an error that stays.

#include "platform/StoreTypes.h"
#include "store/FileTime.h"

#include <QByteArrayView>
#include <QString>

#include <optional>

class BackupReader {
public:
    enum class ItemKind {
        Section,      // `name` holds the table name
        Record,       // a record of the current section starts
        Property,     // `property` holds the value (the tag picks its type)
        TextSetting,  // `section`, `key`, `text`
        IntSetting,   // `section`, `key`, `number`
        Skipped,      // the 3-byte item nobody reads
        End,
        Error,  // an unknown tag, or the data ended inside or before an item
    };

    struct Item {
        ItemKind kind = ItemKind::Error;
        QString name;
        PropValue property;
        QString section;
        QString key;
        QString text;
        qint32 number = 0;
    };

    // The time in the header; nullopt when the data does not start like a
    // backup file (too short, first byte or first version byte not 1).
    static std::optional<FileTime> headerTime(QByteArrayView data);

    // Whether text property values are read or only stepped over (a pass that
    // checks the file's structure needs no values).
    enum class Values { Read, Skip };

    // Reads the items after the header; the data must outlive the reader.
    // Data that fails headerTime() yields a single Error.
    explicit BackupReader(QByteArrayView data, Values values = Values::Read);

    // The next item. After End or Error every call answers the same again.
    Item next();
    // Bytes consumed so far, the header included.
    qsizetype offset() const { return m_pos; }

private:
    bool has(qsizetype bytes) const { return bytes >= 0 && m_data.size() - m_pos >= bytes; }
    // Callers check has() first.
    const uchar* here() const;
    quint8 get8();
    quint16 get16();
    quint32 get32();
    quint64 get64();
    QString getUnits(qsizetype units);
    // A 16-bit length and that many code units; nullopt when they run past the
    // data. Without `keep` the units are stepped over and "" is returned.
    std::optional<QString> lengthAndUnits(bool keep = true);
    Item fail();
    Item readProperty(PropType type, bool wide);
    Item readSetting(bool withNumber);

    QByteArrayView m_data;
    Values m_values;
    qsizetype m_pos = 0;
    std::optional<ItemKind> m_final;  // End or Error once reached
};
