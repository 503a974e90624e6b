#include "platform/CodePage.h"

#include <QStringDecoder>
#include <QStringEncoder>

std::optional<CodePage> CodePage::byName(const QString& name)
{
    const QByteArray latin = name.toLatin1();
    if (name.isEmpty() || QString::fromLatin1(latin) != name)
        return std::nullopt;
    if (!QStringEncoder(latin.constData()).isValid() || !QStringDecoder(latin.constData()).isValid())
        return std::nullopt;
    return CodePage(latin);
}

CodePage CodePage::defaultPage()
{
    return CodePage(DefaultName);
}

QByteArray CodePage::encode(QStringView text) const
{
    // The whole text at once, kept when it reads back unchanged; otherwise some
    // character was unmappable or only approximated, and the slow path finds it.
    QStringEncoder encoder(m_name.constData());
    QByteArray bytes = encoder.encode(text);
    if (!encoder.hasError() && decode(bytes) == text)
        return bytes;
    return encodeByCharacter(text);
}

QByteArray CodePage::encodeByCharacter(QStringView text) const
{
    QByteArray out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size();) {
        const bool pair = text[i].isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate();
        const QStringView character = text.mid(i, pair ? 2 : 1);
        // A fresh converter for each character: after an unmappable one, some
        // converters keep their error through a state reset.
        QStringEncoder encoder(m_name.constData());
        const QByteArray bytes = encoder.encode(character);
        const bool held = !encoder.hasError() && !bytes.isEmpty() && decode(bytes) == character;
        out += held ? bytes : QByteArray("?");
        i += character.size();
    }
    return out;
}

QString CodePage::decode(QByteArrayView bytes) const
{
    QStringDecoder decoder(m_name.constData());
    return decoder.decode(bytes);
}
