#include "interchange/ExportFileName.h"

namespace ExportFileName {

QString forFormat(const QString& name, ExportFormat format)
{
    const bool toQif = format == ExportFormat::Qif;
    const QLatin1String from = toQif ? QLatin1String(".txt") : QLatin1String(".qif");
    const QLatin1String to = toQif ? QLatin1String(".qif") : QLatin1String(".txt");
    const qsizetype at = name.indexOf(from, 0, Qt::CaseInsensitive);
    if (at < 0)
        return name;
    return name.left(at) + to;
}

}  // namespace ExportFileName
