#include "reports/FreeText.h"

QString cleanFreeText(QStringView text)
{
    QString clean = text.toString();
    for (QChar& c : clean) {
        const char16_t u = c.unicode();
        if (u == u'\t' || u == u'\n' || u == u'\f' || u == u'\r')
            c = QLatin1Char(' ');
    }
    return clean;
}
