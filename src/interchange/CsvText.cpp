#include "interchange/CsvText.h"

#include "platform/CodePage.h"

#include <QStringDecoder>

namespace {

QString decodeWith(QStringConverter::Encoding encoding, QByteArrayView bytes)
{
    QStringDecoder decoder(encoding, QStringConverter::Flag::Stateless);
    return decoder.decode(bytes);
}

}  // namespace

std::optional<QString> decodeCsvText(const QByteArray& bytes, const QString& encoding)
{
    const QByteArrayView view(bytes);
    if (view.startsWith("\xEF\xBB\xBF"))
        return decodeWith(QStringConverter::Utf8, view.sliced(3));
    if (view.startsWith("\xFF\xFE"))
        return decodeWith(QStringConverter::Utf16LE, view.sliced(2));
    if (view.startsWith("\xFE\xFF"))
        return decodeWith(QStringConverter::Utf16BE, view.sliced(2));
    const QString name = encoding.trimmed();
    if (name.isEmpty() || name.compare(QLatin1String("UTF-8"), Qt::CaseInsensitive) == 0 ||
        name.compare(QLatin1String("UTF8"), Qt::CaseInsensitive) == 0)
        return decodeWith(QStringConverter::Utf8, view);
    const std::optional<CodePage> page = CodePage::byName(name);
    if (!page)
        return std::nullopt;
    return page->decode(view);
}
