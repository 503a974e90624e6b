#include "store/KeyText.h"

#include <limits>

namespace {

// Builds a key in a fixed buffer: keys are made for every new transaction and
// for every seek, so this avoids printf-style formatting.
class KeyWriter {
public:
    void id(qint32 value)
    {
        // Unsigned magnitude, so that the minimum id is written correctly.
        quint32 magnitude = static_cast<quint32>(value);
        if (value < 0) {
            put(u'-');
            magnitude = 0u - magnitude;
        }
        char16_t digits[10];
        int n = 0;
        do {
            digits[n++] = static_cast<char16_t>(u'0' + magnitude % 10);
            magnitude /= 10;
        } while (magnitude != 0);
        while (n > 0)
            put(digits[--n]);
        put(u'_');
    }

    void fixed(int value, int width)
    {
        for (int i = width - 1; i >= 0; --i) {
            m_buffer[m_size + i] = static_cast<char16_t>(u'0' + value % 10);
            value /= 10;
        }
        m_size += width;
    }

    void date(const LocalTime& t)
    {
        fixed(t.year, 4);
        fixed(t.month, 2);
        fixed(t.day, 2);
    }

    void put(char16_t c) { m_buffer[m_size++] = c; }

    QString text() const { return QString::fromUtf16(m_buffer, m_size); }

private:
    // "-2147483648_" and 17 digits fit with room to spare.
    char16_t m_buffer[40];
    int m_size = 0;
};

bool isDigit(QChar c)
{
    return c.unicode() >= u'0' && c.unicode() <= u'9';
}

int digitsValue(QStringView digits)
{
    int value = 0;
    for (const QChar c : digits)
        value = value * 10 + (c.unicode() - u'0');
    return value;
}

// The decimal id before '_', as fullKey writes it.
std::optional<qint32> parseId(QStringView text)
{
    const bool negative = text.startsWith(u'-');
    const QStringView digits = negative ? text.mid(1) : text;
    if (digits.isEmpty() || digits.size() > 10)
        return std::nullopt;
    if (digits.size() > 1 && digits.front() == u'0')
        return std::nullopt;
    qint64 value = 0;
    for (const QChar c : digits) {
        if (!isDigit(c))
            return std::nullopt;
        value = value * 10 + (c.unicode() - u'0');
    }
    value = negative ? -value : value;
    if (value < std::numeric_limits<qint32>::min() || value > std::numeric_limits<qint32>::max())
        return std::nullopt;
    if (negative && value == 0)
        return std::nullopt;
    return static_cast<qint32>(value);
}

constexpr qsizetype StampLength = 17;

std::optional<FileTime> parseStamp(QStringView stamp)
{
    if (stamp.size() != StampLength)
        return std::nullopt;
    for (const QChar c : stamp) {
        if (!isDigit(c))
            return std::nullopt;
    }
    const LocalTime t{digitsValue(stamp.mid(0, 4)),  digitsValue(stamp.mid(4, 2)),
                      digitsValue(stamp.mid(6, 2)),  digitsValue(stamp.mid(8, 2)),
                      digitsValue(stamp.mid(10, 2)), digitsValue(stamp.mid(12, 2)),
                      digitsValue(stamp.mid(14, 3))};
    return fileTimeFromLocal(t);
}

}  // namespace

QString fullKey(qint32 id, FileTime t)
{
    const LocalTime local = localFromFileTime(t);
    KeyWriter key;
    key.id(id);
    key.date(local);
    key.fixed(local.hour, 2);
    key.fixed(local.minute, 2);
    key.fixed(local.second, 2);
    key.fixed(local.millisecond, 3);
    return key.text();
}

QString idStartKey(qint32 id)
{
    KeyWriter key;
    key.id(id);
    return key.text();
}

QString idEndKey(qint32 id)
{
    KeyWriter key;
    key.id(id);
    key.put(u'z');
    return key.text();
}

QString dayStartKey(qint32 id, FileTime day)
{
    KeyWriter key;
    key.id(id);
    key.date(localFromFileTime(day));
    return key.text();
}

QString dayEndKey(qint32 id, FileTime day)
{
    KeyWriter key;
    key.id(id);
    key.date(localFromFileTime(day));
    key.put(u'z');
    return key.text();
}

std::optional<ParsedKey> parseFullKey(QStringView key)
{
    const qsizetype underscore = key.indexOf(u'_');
    if (underscore < 0)
        return std::nullopt;
    const std::optional<qint32> id = parseId(key.left(underscore));
    const std::optional<FileTime> time = parseStamp(key.mid(underscore + 1));
    if (!id || !time)
        return std::nullopt;
    return ParsedKey{*id, *time};
}
