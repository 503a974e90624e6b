#include "interchange/TextExport.h"

#include "store/DateText.h"

#include <QStringList>

namespace TextExport {

namespace {

QString orBlank(const QString& text)
{
    return text.isEmpty() ? QStringLiteral(" ") : text;
}

}  // namespace

QString header()
{
    return QStringLiteral("Date\tDescription\tNote\tAmount\tCategory\tProject\tCleared\tNum\tContact");
}

QString recordLine(const ExportFields& f, const LocaleValues& locale)
{
    return QStringList{
        shortDate(f.date, locale), f.description,     orBlank(f.note),   f.amount, f.category, f.project,
        orBlank(f.status),         orBlank(f.number), orBlank(f.contact)}
        .join(QLatin1Char('\t'));
}

}  // namespace TextExport
