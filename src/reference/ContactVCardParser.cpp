#include "reference/ContactVCardParser.h"

#include "reference/ContactCardBuilder.h"
#include "reference/ContactVCardLines.h"
#include "reference/ContactVCardProperty.h"

#include <QStringDecoder>

namespace {

// Two bytes of a UTF-16 "BE" or "EB": the start of "BEGIN" written without a
// byte-order mark, as some exporters do.
bool looksLikeUtf16(QByteArrayView bytes, bool& bigEndian)
{
    if (bytes.size() < 4)
        return false;
    if (bytes[0] != 0 && bytes[1] == 0 && bytes[2] != 0 && bytes[3] == 0) {
        bigEndian = false;
        return true;
    }
    if (bytes[0] == 0 && bytes[1] != 0 && bytes[2] == 0 && bytes[3] != 0) {
        bigEndian = true;
        return true;
    }
    return false;
}

// The text of the file as UTF-8 bytes in `storage` when it had to be
// converted, else a view of `bytes` past any UTF-8 byte-order mark.
QByteArrayView utf8Text(QByteArrayView bytes, QByteArray& storage, bool& converted)
{
    bool bigEndian = false;
    converted = true;
    if (bytes.startsWith("\xFF\xFE") || bytes.startsWith("\xFE\xFF")) {
        bigEndian = bytes.startsWith("\xFE\xFF");
        bytes = bytes.sliced(2);
    } else if (!looksLikeUtf16(bytes, bigEndian)) {
        converted = false;
        return bytes.startsWith("\xEF\xBB\xBF") ? bytes.sliced(3) : bytes;
    }
    QStringDecoder decoder(bigEndian ? QStringDecoder::Utf16BE : QStringDecoder::Utf16LE);
    storage = QString(decoder.decode(bytes)).toUtf8();
    return storage;
}

// Blank lines, and control characters such as a closing Ctrl-Z, mean nothing.
bool isBlank(const QByteArray& line)
{
    for (const char c : line) {
        if (static_cast<unsigned char>(c) > ' ')
            return false;
    }
    return true;
}

bool isCardMark(const ContactVCardProperty& property, const char* mark)
{
    return property.name == mark && property.value.trimmed().toUpper() == "VCARD";
}

// One pass over the lines: the nesting depth of cards, and the card being
// gathered at depth one.
class CardScan {
public:
    CardScan(QByteArrayView text, const CodePage& fallback, bool ignoreCharsets)
        : m_lines(text), m_builder(fallback), m_ignoreCharsets(ignoreCharsets)
    {
    }

    ContactStoreResult run()
    {
        QByteArray line;
        while (m_lines.next(line)) {
            if (!isBlank(line) && !take(line))
                return ContactStoreResult::damaged();
        }
        if (m_depth != 0)
            return ContactStoreResult::damaged();
        return {ContactStoreResult::Status::Read, std::move(m_cards)};
    }

private:
    // False when the line makes the file damaged.
    bool take(const QByteArray& line)
    {
        std::optional<ContactVCardProperty> property = ContactVCardProperty::parse(line);
        if (!property)
            return m_depth > 0;
        if (m_ignoreCharsets)
            property->charset.clear();
        if (isCardMark(*property, "BEGIN"))
            return open();
        if (isCardMark(*property, "END"))
            return close();
        if (m_depth == 1)
            addToCard(*property);
        return m_depth > 0;
    }

    bool open()
    {
        if (++m_depth > ContactVCardParser::MaxDepth)
            return false;
        if (m_depth == 1) {
            m_builder.clear();
            m_lines.setKeepFoldBlank(false);
        }
        return true;
    }

    bool close()
    {
        if (m_depth == 0)
            return false;
        if (--m_depth > 0)
            return true;
        m_cards.append(m_builder.build());
        return m_cards.size() <= ContactVCardParser::MaxCards;
    }

    void addToCard(const ContactVCardProperty& property)
    {
        if (property.name == "VERSION")
            m_lines.setKeepFoldBlank(property.value.trimmed().startsWith("2."));
        m_builder.add(property);
    }

    ContactVCardLines m_lines;
    ContactCardBuilder m_builder;
    bool m_ignoreCharsets;
    int m_depth = 0;
    QList<ContactCard> m_cards;
};

}  // namespace

ContactStoreResult ContactVCardParser::parse(QByteArrayView bytes) const
{
    QByteArray storage;
    bool fromUtf16 = false;
    const QByteArrayView text = utf8Text(bytes, storage, fromUtf16);
    if (text.contains('\0'))
        return ContactStoreResult::damaged();
    // A UTF-16 file's CHARSET parameters describe bytes that are gone.
    return CardScan(text, m_fallback, fromUtf16).run();
}
