#include "interchange/QifLineReader.h"

namespace {

constexpr qsizetype BufferBytes = 64 * 1024;

bool endsLine(int byte)
{
    return byte == 0 || byte == '\n' || byte == '\f' || byte == '\r';
}

bool isBlank(QChar c)
{
    return c == u' ' || c == u'\t';
}

}  // namespace

QString qifTrimBlanks(const QString& text)
{
    qsizetype from = 0;
    qsizetype to = text.size();
    while (from < to && isBlank(text[from]))
        ++from;
    while (to > from && isBlank(text[to - 1]))
        --to;
    return from == 0 && to == text.size() ? text : text.mid(from, to - from);
}

namespace {

bool allAscii(const QByteArray& bytes)
{
    for (const char b : bytes) {
        if (static_cast<unsigned char>(b) >= 0x80)
            return false;
    }
    return true;
}

}  // namespace

QifLineReader::QifLineReader(QIODevice& device, const CodePage& codePage)
    : m_device(device), m_codePage(codePage), m_buffer(BufferBytes, Qt::Uninitialized)
{
    QByteArray ascii;
    for (int b = 1; b < 0x80; ++b)
        ascii.append(static_cast<char>(b));
    m_asciiCompatible = codePage.decode(ascii) == QString::fromLatin1(ascii);
}

bool QifLineReader::fill()
{
    if (m_atEnd)
        return false;
    const qint64 got = m_device.read(m_buffer.data(), m_buffer.size());
    if (got <= 0) {
        m_atEnd = true;
        m_failed = m_failed || got < 0;
        return false;
    }
    m_pos = 0;
    m_size = got;
    if (m_atStart) {
        m_atStart = false;
        static const QByteArray mark("\xEF\xBB\xBF");
        if (QByteArrayView(m_buffer.constData(), m_size).startsWith(mark)) {
            m_utf8 = true;
            m_pos = mark.size();
        }
    }
    return true;
}

int QifLineReader::nextByte()
{
    // A fill can leave nothing to read: a file of just the byte-order mark.
    while (m_pos >= m_size) {
        if (!fill())
            return -1;
    }
    return static_cast<unsigned char>(m_buffer[m_pos++]);
}

void QifLineReader::skipRestOfLine()
{
    for (int b = nextByte(); b >= 0 && !endsLine(b); b = nextByte()) {
    }
}

QString QifLineReader::decode(const QByteArray& bytes) const
{
    if ((m_asciiCompatible || m_utf8) && allAscii(bytes))
        return QString::fromLatin1(bytes);
    return m_utf8 ? QString::fromUtf8(bytes) : m_codePage.decode(bytes);
}

std::optional<QifLine> QifLineReader::next()
{
    for (;;) {
        m_line.clear();
        int b = nextByte();
        for (; b >= 0 && !endsLine(b); b = nextByte()) {
            m_line.append(static_cast<char>(b));
            if (m_line.size() == MaxLineBytes) {
                skipRestOfLine();
                break;
            }
        }
        if (m_line.isEmpty()) {
            if (b < 0)
                return std::nullopt;
            continue;
        }
        QString text = qifTrimBlanks(decode(m_line));
        if (!text.isEmpty())
            return QifLine{std::move(text)};
    }
}

bool QifLineReader::rewind()
{
    m_pos = 0;
    m_size = 0;
    m_atEnd = false;
    m_atStart = true;
    return !m_device.isSequential() && m_device.seek(0);
}
