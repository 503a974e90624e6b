#include "shell/CsvMappingOptions.h"

namespace {

std::optional<QChar> characterOf(const QString& text)
{
    if (text == QLatin1String("tab") || text == QLatin1String("\\t"))
        return QChar(u'\t');
    if (text.size() != 1)
        return std::nullopt;
    return text.front();
}

bool readCharacter(const CliArgs& args, const char* option, QChar* out, QString* error)
{
    const QString name = QString::fromLatin1(option);
    if (!args.has(name))
        return true;
    const std::optional<QChar> c = characterOf(args.value(name));
    if (!c) {
        *error = QString::fromUtf8(CsvMappingOptions::BadCharacterText).arg(name);
        return false;
    }
    *out = *c;
    return true;
}

}  // namespace

QStringList CsvMappingOptions::names()
{
    return {QStringLiteral("columns"),  QStringLiteral("delimiter"),    QStringLiteral("quote"),
            QStringLiteral("decimal"),  QStringLiteral("date-format"),  QStringLiteral("header"),
            QStringLiteral("encoding"), QStringLiteral("save-mapping"), QStringLiteral("mapping")};
}

std::optional<CsvMapping> CsvMappingOptions::build(const CliArgs& args, TallyraSettings& settings,
                                                   QString* error)
{
    CsvMapping m;
    if (args.has(QStringLiteral("mapping"))) {
        const QString name = args.value(QStringLiteral("mapping"));
        const std::optional<CsvMapping> saved = CsvMapping::fromText(settings.csvMapping(name));
        if (!saved) {
            *error = QString::fromUtf8(UnknownMappingText).arg(name);
            return std::nullopt;
        }
        m = *saved;
    } else if (!args.has(QStringLiteral("columns"))) {
        *error = QString::fromUtf8(NoColumnsText);
        return std::nullopt;
    }
    if (args.has(QStringLiteral("columns"))) {
        const auto columns = CsvMapping::parseColumns(args.value(QStringLiteral("columns")), error);
        if (!columns)
            return std::nullopt;
        m.columns = *columns;
    }
    if (!readCharacter(args, "delimiter", &m.delimiter, error) ||
        !readCharacter(args, "quote", &m.quote, error) || !readCharacter(args, "decimal", &m.decimal, error))
        return std::nullopt;
    if (args.has(QStringLiteral("date-format")))
        m.dateFormat = args.value(QStringLiteral("date-format"));
    if (args.has(QStringLiteral("encoding")))
        m.encoding = args.value(QStringLiteral("encoding"));
    if (args.has(QStringLiteral("header"))) {
        bool ok = false;
        m.headerRows = args.value(QStringLiteral("header")).toInt(&ok);
        if (!ok || m.headerRows < 0) {
            *error = QString::fromUtf8(BadHeaderText);
            return std::nullopt;
        }
    }
    if (const QString problem = m.problem(); !problem.isEmpty()) {
        *error = problem;
        return std::nullopt;
    }
    if (args.has(QStringLiteral("save-mapping")) &&
        !settings.setCsvMapping(args.value(QStringLiteral("save-mapping")), m.toText())) {
        *error = QString::fromUtf8(SaveFailedText);
        return std::nullopt;
    }
    return m;
}
