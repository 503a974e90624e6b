#include "reference/ContactVCardText.h"

QList<QStringView> splitUnescaped(QStringView text, QChar separator)
{
    QList<QStringView> parts;
    qsizetype start = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] == u'\\')
            ++i;
        else if (text[i] == separator) {
            parts.append(text.sliced(start, i - start));
            start = i + 1;
        }
    }
    parts.append(text.sliced(start));
    return parts;
}

QString unescapeText(QStringView text)
{
    QString out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar next = i + 1 < text.size() ? text[i + 1] : QChar();
        if (text[i] != u'\\' || next.isNull()) {
            out += text[i];
        } else if (next == u'n' || next == u'N') {
            out += u'\n';
            ++i;
        } else if (next == u'\\' || next == u';' || next == u',' || next == u':') {
            out += next;
            ++i;
        } else {
            out += text[i];
        }
    }
    return out;
}

QString cleanField(QStringView text)
{
    QString out = text.toString();
    for (QChar& c : out) {
        if (c.category() == QChar::Other_Control)
            c = u' ';
    }
    return out.trimmed();
}
