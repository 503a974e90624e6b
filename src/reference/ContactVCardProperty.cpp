#include "reference/ContactVCardProperty.h"

#include <QStringDecoder>

namespace {

// Real cards carry a handful of parameters; a line of thousands would only
// cost time, so the rest are passed over.
constexpr int MaxParameters = 32;

// The end of the parameter or name that starts at `from`: the next ';' or ':'
// outside double quotes, or -1 when the line ends first.
qsizetype fieldEnd(QByteArrayView line, qsizetype from)
{
    bool quoted = false;
    for (qsizetype i = from; i < line.size(); ++i) {
        const char c = line[i];
        if (c == '"')
            quoted = !quoted;
        else if (!quoted && (c == ';' || c == ':'))
            return i;
    }
    return -1;
}

QByteArray unquoted(QByteArrayView text)
{
    QByteArray out = QByteArray(text.data(), text.size()).trimmed();
    out.replace('"', QByteArray());
    return out;
}

bool isEncodingWord(const QByteArray& upper)
{
    return upper == "QUOTED-PRINTABLE" || upper == "BASE64" || upper == "B" || upper == "8BIT" ||
           upper == "7BIT";
}

void addTypes(ContactVCardProperty& property, const QByteArray& list)
{
    for (const QByteArray& type : list.split(',')) {
        const QByteArray word = type.trimmed().toLower();
        if (!word.isEmpty())
            property.types.append(word);
    }
}

void addParameter(ContactVCardProperty& property, QByteArrayView text)
{
    const qsizetype equals = text.indexOf('=');
    if (equals < 0) {
        const QByteArray word = unquoted(text).toUpper();
        if (isEncodingWord(word))
            property.encoding = word;
        else
            addTypes(property, word.toLower());
        return;
    }
    const QByteArray key = unquoted(text.first(equals)).toUpper();
    const QByteArray value = unquoted(text.sliced(equals + 1));
    if (key == "TYPE")
        addTypes(property, value);
    else if (key == "ENCODING")
        property.encoding = value.toUpper();
    else if (key == "CHARSET")
        property.charset = value;
    else if (key == "VALUE")
        property.valueType = value.toLower();
}

int hexDigit(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    return -1;
}

// Soft line breaks were joined by the line reader; an '=' not followed by two
// hex digits is kept as written rather than dropped.
QByteArray decodeQuotedPrintable(QByteArrayView text)
{
    QByteArray out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const int high = text[i] == '=' && i + 2 < text.size() ? hexDigit(text[i + 1]) : -1;
        const int low = high >= 0 ? hexDigit(text[i + 2]) : -1;
        if (low >= 0) {
            out.append(static_cast<char>(high * 16 + low));
            i += 2;
        } else {
            out.append(text[i]);
        }
    }
    return out;
}

QString decodeBytes(const QByteArray& bytes, const QByteArray& charset, const CodePage& fallback)
{
    if (!charset.isEmpty()) {
        QStringDecoder named(charset.constData());
        if (named.isValid())
            return named.decode(bytes);
    }
    QStringDecoder utf8(QStringDecoder::Utf8);
    QString text = utf8.decode(bytes);
    return utf8.hasError() ? fallback.decode(bytes) : text;
}

}  // namespace

std::optional<ContactVCardProperty> ContactVCardProperty::parse(QByteArrayView line)
{
    qsizetype end = fieldEnd(line, 0);
    if (end < 0)
        return std::nullopt;
    ContactVCardProperty property;
    const QByteArray fullName = QByteArray(line.data(), end).trimmed();
    const qsizetype dot = fullName.lastIndexOf('.');
    property.name = fullName.mid(dot + 1).toUpper();
    property.group = dot < 0 ? QByteArray() : fullName.left(dot);
    if (property.name.isEmpty())
        return std::nullopt;
    for (int count = 0; line[end] == ';'; ++count) {
        const qsizetype start = end + 1;
        end = fieldEnd(line, start);
        if (end < 0)
            return std::nullopt;
        if (count < MaxParameters)
            addParameter(property, line.sliced(start, end - start));
    }
    property.value = line.sliced(end + 1).toByteArray();
    return property;
}

bool ContactVCardProperty::hasType(QByteArrayView type) const
{
    return types.contains(type);
}

std::optional<QString> ContactVCardProperty::text(const CodePage& fallback) const
{
    if (encoding.isEmpty() || encoding == "8BIT" || encoding == "7BIT")
        return decodeBytes(value, charset, fallback);
    if (encoding == "QUOTED-PRINTABLE")
        return decodeBytes(decodeQuotedPrintable(value), charset, fallback);
    return std::nullopt;
}
