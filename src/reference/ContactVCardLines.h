#pragma once

// Cuts the bytes of a vCard file into logical content lines.
//
// A physical line ends at CR LF, LF or a lone CR. A physical line that starts
// with a blank or a tab continues the line before it (folding): vCard 3.0 and
// 4.0 drop that first blank, vCard 2.1 keeps it, so the caller says which rule
// holds once it has seen the card's VERSION. A line whose parameters say
// QUOTED-PRINTABLE and whose text ends in "=" also continues on the next
// physical line (the soft line break of that encoding), unless the next line
// opens or closes a card: a broken writer must not make a card swallow its
// own END.
//
// Bounds: a logical line keeps at most MaxLineBytes; the rest of a longer line
// (a photo, say) is read past and dropped, so memory stays bounded whatever
// the input. Every call moves forward, so the cursor always ends.

#include <QByteArray>
#include <QByteArrayView>

class ContactVCardLines {
public:
    static constexpr qsizetype MaxLineBytes = 64 * 1024;

    // The bytes must outlive the cursor.
    explicit ContactVCardLines(QByteArrayView bytes) : m_bytes(bytes) {}

    void setKeepFoldBlank(bool keep) { m_keepFoldBlank = keep; }

    // False at the end of the bytes; otherwise `line` holds the next logical
    // line without its line end (possibly empty).
    bool next(QByteArray& line);

private:
    bool atEnd() const { return m_pos >= m_bytes.size(); }
    QByteArrayView takePhysicalLine();
    bool nextIsFolded() const;
    bool nextIsCardBoundary() const;
    void append(QByteArray& line, QByteArrayView part) const;

    QByteArrayView m_bytes;
    qsizetype m_pos = 0;
    bool m_keepFoldBlank = false;
};
