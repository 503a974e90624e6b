#pragma once

// Writes the items of a backup file (BackupFormat.h) to a device, through a
// buffer of its own. Every call returns false once anything failed: a write
// the device refused, or a text too long for its length field (the file would
// be corrupt); failure() says which, and nothing more is written after it.

#include "store/FileTime.h"

#include <QByteArray>
#include <QIODevice>
#include <QStringView>

class BackupWriter {
public:
    enum class Failure { None, Write, TooLong };

    // The device must be open for writing and outlive the writer.
    explicit BackupWriter(QIODevice& out);

    bool header(FileTime time);
    bool section(QStringView tableName);
    bool record();
    bool text(quint16 id, QStringView value);
    // `tag` is the date tag or the amount tag.
    bool int64(quint8 tag, quint16 id, qint64 value);
    bool integer(quint16 id, qint32 value);
    bool textSetting(QStringView section, QStringView key, QStringView value);
    bool end();
    // Hands the buffered bytes to the device.
    bool flush();

    Failure failure() const { return m_failure; }

private:
    bool put8(quint8 v);
    bool put16(quint16 v);
    bool put32(quint32 v);
    bool put64(quint64 v);
    bool putUnits(QStringView text);
    bool putLengthAndUnits(QStringView text);
    bool fail(Failure failure);
    bool flushIfFull();

    QIODevice& m_out;
    QByteArray m_buffer;
    Failure m_failure = Failure::None;
};
