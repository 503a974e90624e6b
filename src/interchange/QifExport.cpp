#include "interchange/QifExport.h"

#include "store/DateText.h"

namespace QifExport {

QString header()
{
    return QStringLiteral("!Type:Cash");
}

QStringList recordLines(const ExportFields& f, int dateOrder, bool fullYearDates)
{
    QStringList lines;
    lines << QLatin1Char('D') + numericDate(f.date, dateOrder, fullYearDates);
    lines << QLatin1Char('P') + f.description;
    if (!f.note.isEmpty())
        lines << QLatin1Char('M') + f.note;
    lines << QLatin1Char('T') + f.amount;
    // Written even when both parts are empty.
    QString category = QLatin1Char('L') + f.category;
    if (!f.project.isEmpty())
        category += QLatin1Char('/') + f.project;
    lines << category;
    if (!f.status.isEmpty())
        lines << QLatin1Char('C') + f.status;
    if (!f.number.isEmpty())
        lines << QLatin1Char('N') + f.number;
    if (!f.contact.isEmpty()) {
        // The contact is the address block's first line; the other four stay empty.
        lines << QLatin1Char('A') + f.contact;
        for (int i = 0; i < 4; ++i)
            lines << QStringLiteral("A");
    }
    lines << QStringLiteral("^");
    return lines;
}

}  // namespace QifExport
