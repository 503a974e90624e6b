#include "reports/CsvReportWriter.h"

#include "platform/LocalTime.h"
#include "reports/PlainDecimal.h"
#include "reports/ReportSink.h"
#include "reports/ReportWriteProgress.h"

namespace {

QString isoDate(FileTime t)
{
    const LocalTime d = localFromFileTime(t);
    return QStringLiteral("%1-%2-%3")
        .arg(d.year, 4, 10, QLatin1Char('0'))
        .arg(d.month, 2, 10, QLatin1Char('0'))
        .arg(d.day, 2, 10, QLatin1Char('0'));
}

QString cellText(const SheetCell& cell)
{
    switch (cell.kind) {
    case SheetCell::Kind::Empty:
        break;
    case SheetCell::Kind::Text:
        return CsvReportWriter::field(cell.text);
    case SheetCell::Kind::Date:
        return isoDate(cell.date);
    case SheetCell::Kind::Amount:
        return plainDecimal(cell.amount);
    case SheetCell::Kind::Count:
        return QString::number(cell.count);
    }
    return QString();
}

void line(ReportSink& out, const QStringList& fields)
{
    out.bytes((fields.join(QLatin1Char(',')) + QStringLiteral("\r\n")).toUtf8());
}

}  // namespace

QString CsvReportWriter::field(const QString& text)
{
    static const QString needsQuotes = QStringLiteral(",\"\r\n");
    const bool quoted =
        std::any_of(text.begin(), text.end(), [](QChar c) { return needsQuotes.contains(c); });
    if (!quoted)
        return text;
    QString escaped = text;
    escaped.replace(QLatin1Char('"'), QStringLiteral("\"\""));
    return QLatin1Char('"') + escaped + QLatin1Char('"');
}

bool CsvReportWriter::write(ReportSink& out, const ReportSheet& sheet, Interaction& ui)
{
    QStringList header;
    for (const QString& column : sheet.columns)
        header << field(column);
    line(out, header);
    ReportWriteProgress progress(ui, sheet.rowCount);
    for (qint64 i = 0; i < sheet.rowCount && out.ok(); ++i) {
        if (!progress.next(i))
            return false;
        const SheetRow row = sheet.row(i);
        if (row.empty())
            continue;
        QStringList fields;
        for (const SheetCell& cell : row)
            fields << cellText(cell);
        line(out, fields);
    }
    return true;
}
