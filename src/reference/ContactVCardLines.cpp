#include "reference/ContactVCardLines.h"

namespace {

bool isLineEnd(char c)
{
    return c == '\r' || c == '\n';
}

// The parameters of a line stand before its first ':'; only the first
// physical line is looked at, so a long value is never scanned again.
bool declaresQuotedPrintable(QByteArrayView firstPart)
{
    constexpr QByteArrayView word = "QUOTED-PRINTABLE";
    const qsizetype colon = firstPart.indexOf(':');
    for (qsizetype i = 0; i + word.size() <= colon; ++i) {
        if (qstrnicmp(firstPart.data() + i, word.data(), word.size()) == 0)
            return true;
    }
    return false;
}

bool startsWithNoCase(QByteArrayView text, QByteArrayView prefix)
{
    return text.size() >= prefix.size() && qstrnicmp(text.data(), prefix.data(), prefix.size()) == 0;
}

}  // namespace

bool ContactVCardLines::next(QByteArray& line)
{
    if (atEnd())
        return false;
    line.clear();
    QByteArrayView part = takePhysicalLine();
    append(line, part);
    const bool quotedPrintable = declaresQuotedPrintable(part);
    for (;;) {
        if (nextIsFolded()) {
            part = takePhysicalLine();
            append(line, m_keepFoldBlank ? part : part.sliced(1));
        } else if (quotedPrintable && part.endsWith('=') && !atEnd() && !nextIsCardBoundary()) {
            if (line.endsWith('='))
                line.chop(1);
            part = takePhysicalLine();
            append(line, part);
        } else {
            return true;
        }
    }
}

QByteArrayView ContactVCardLines::takePhysicalLine()
{
    const qsizetype start = m_pos;
    while (m_pos < m_bytes.size() && !isLineEnd(m_bytes[m_pos]))
        ++m_pos;
    const QByteArrayView line = m_bytes.sliced(start, m_pos - start);
    if (m_pos < m_bytes.size() && m_bytes[m_pos] == '\r')
        ++m_pos;
    if (m_pos < m_bytes.size() && m_bytes[m_pos] == '\n')
        ++m_pos;
    return line;
}

bool ContactVCardLines::nextIsFolded() const
{
    return !atEnd() && (m_bytes[m_pos] == ' ' || m_bytes[m_pos] == '\t');
}

bool ContactVCardLines::nextIsCardBoundary() const
{
    const QByteArrayView rest = m_bytes.sliced(m_pos);
    return startsWithNoCase(rest, "BEGIN:VCARD") || startsWithNoCase(rest, "END:VCARD");
}

void ContactVCardLines::append(QByteArray& line, QByteArrayView part) const
{
    const qsizetype room = MaxLineBytes - line.size();
    if (room > 0)
        line.append(part.first(qMin(room, part.size())));
}
