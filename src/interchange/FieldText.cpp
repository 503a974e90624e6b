#include "interchange/FieldText.h"

QString singleLineField(QStringView text)
{
    QString out = text.toString();
    for (QChar& c : out) {
        if (c == u'\t' || c == u'\r' || c == u'\n' || c == u'\f')
            c = u' ';
    }
    return out;
}
