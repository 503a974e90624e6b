#pragma once

// The lines of a QIF file as every pass of the import reads them.
//
// The file is read as 8-bit bytes. A line ends at a byte 0, LF, FF or CR, at
// the end of the file, or after MaxLineBytes bytes; what a longer physical
// line holds beyond that is dropped up to its end, so a long memo can never
// turn into a tagged line of its own. CR LF therefore yields an empty line.
// The bytes become text through the code page, the text is trimmed of blanks
// (spaces and tabs) at both ends, and empty lines are skipped. A file that
// begins with the UTF-8 byte-order mark is UTF-8 whatever the code page; the
// mark itself is no part of the first line.
//
// Memory stays bounded whatever the file holds: one read buffer and one line.

#include "platform/CodePage.h"

#include <QByteArray>
#include <QIODevice>
#include <QString>

#include <optional>

// `text` without the blanks (spaces and tabs) at either end.
QString qifTrimBlanks(const QString& text);

struct QifLine {
    QString text;  // trimmed, never empty

    // The tag: the first character; compare it with isTag (case does not count).
    QChar tag() const { return text.front(); }
    // The tag with an ASCII letter in upper case. Only ASCII case counts: a
    // long s or a dotless i is no "S" or "I" line.
    char16_t tagUpper() const
    {
        const char16_t c = text.front().unicode();
        return c >= u'a' && c <= u'z' ? static_cast<char16_t>(c - u'a' + u'A') : c;
    }
    bool isTag(char letter) const
    {
        const char16_t wanted = static_cast<unsigned char>(letter);
        return tagUpper() == (wanted >= u'a' && wanted <= u'z' ? wanted - u'a' + u'A' : wanted);
    }
    // Everything after the tag, as it stands.
    QString value() const { return text.mid(1); }
};

class QifLineReader {
public:
    static constexpr qsizetype MaxLineBytes = 198;

    // Reads `device` from where it stands; both are owned by the caller.
    QifLineReader(QIODevice& device, const CodePage& codePage);

    // The next non-empty line; nullopt at the end of the file or after a read
    // error (failed() tells them apart).
    std::optional<QifLine> next();
    // Back to the first byte. False when the device cannot seek.
    [[nodiscard]] bool rewind();
    // A device that cannot seek (a pipe, a character device) cannot be read
    // three times, and may never end.
    bool canRewind() const { return !m_device.isSequential(); }
    // True once a read from the device failed; everything after it was lost.
    bool failed() const { return m_failed; }

private:
    // -1 at the end of the file.
    int nextByte();
    bool fill();
    void skipRestOfLine();
    QString decode(const QByteArray& bytes) const;

    QIODevice& m_device;
    const CodePage& m_codePage;
    // Whether the code page reads bytes 1..127 as ASCII, so a line of them needs no converter.
    bool m_asciiCompatible = false;
    QByteArray m_buffer;
    qsizetype m_pos = 0;
    qsizetype m_size = 0;
    bool m_atEnd = false;
    bool m_failed = false;
    // The next fill reads the first bytes of the file, where a byte-order mark stands.
    bool m_atStart = true;
    bool m_utf8 = false;
    QByteArray m_line;
};
