#include "shell/ImportCommands.h"

#include "interchange/QifImport.h"
#include "interchange/StatementFileImport.h"
#include "interchange/TransferPairing.h"
#include "shell/AccountCommands.h"
#include "shell/CliArgs.h"
#include "shell/CliExit.h"
#include "shell/CliValues.h"
#include "shell/CsvMappingOptions.h"
#include "shell/MainProgramRun.h"

#include <QJsonArray>
#include <QJsonObject>

namespace {

const char* const UnknownFormatText = "Unknown format \"%1\": use qif, ofx or csv.";
const char* const NoFormatText = "The format of %1 is not known by its extension: give --format.";
const char* const PairingFailedText = "The transfers could not be paired.";

QJsonObject sideJson(const TransferPair::Side& side)
{
    return QJsonObject{{QStringLiteral("account"), side.account},
                       {QStringLiteral("key"), side.key},
                       {QStringLiteral("date"), CliValues::jsonDate(side.date)},
                       {QStringLiteral("amount"), side.amount},
                       {QStringLiteral("description"), side.description}};
}

QString sideText(const TransferPair::Side& side, const LocaleValues& locale)
{
    return QStringLiteral("%1 %2 %3 (account %4)")
        .arg(CliValues::jsonDate(side.date), moneyText(Money::fromHundredths(side.amount), locale),
             side.description)
        .arg(side.account);
}

void printResult(CliContext& c, const StatementImportResult& result, const std::vector<TransferPair>& pairs)
{
    if (!c.options.json) {
        c.out << QifImport::SucceededText << '\n';
        for (const TransferPair& p : pairs)
            c.out << "paired: " << sideText(p.imported, c.localeValues) << " <-> "
                  << sideText(p.other, c.localeValues) << '\n';
        return;
    }
    QJsonArray pairList;
    for (const TransferPair& p : pairs)
        pairList.append(QJsonObject{{QStringLiteral("imported"), sideJson(p.imported)},
                                    {QStringLiteral("other"), sideJson(p.other)}});
    CliValues::printJson(c.out, QJsonDocument(QJsonObject{{QStringLiteral("added"), result.added},
                                                          {QStringLiteral("merged"), result.merged},
                                                          {QStringLiteral("dropped"), result.dropped},
                                                          {QStringLiteral("stopped"), result.stopped},
                                                          {QStringLiteral("pairs"), pairList}}));
}

std::optional<StatementFormat> formatOf(const CliArgs& args, QTextStream& err)
{
    const QString path = args.positional[1];
    if (args.has(QStringLiteral("format"))) {
        const QString name = args.value(QStringLiteral("format"));
        const std::optional<StatementFormat> format = statementFormatNamed(name);
        if (!format)
            err << QString::fromUtf8(UnknownFormatText).arg(name) << '\n';
        return format;
    }
    const std::optional<StatementFormat> format = statementFormatOfPath(path);
    if (!format)
        err << QString::fromUtf8(NoFormatText).arg(path) << '\n';
    return format;
}

// Links what --pair-transfers found, in one store transaction, and brings the
// project totals up to date. False when it failed.
bool pairTransfers(MainBook& book, qint32 account, const QStringList& keys, std::vector<TransferPair>* pairs)
{
    TransferPairing pairing(book.tables());
    std::optional<std::vector<TransferPair>> found = pairing.find(account, keys);
    if (!found || !pairing.link(*found))
        return false;
    *pairs = std::move(*found);
    return pairs->empty() || book.totals().updateAll(book.state().defaultCurrency);
}

// import ACCOUNT FILE [--format qif|ofx|csv] [--pair-transfers] [CSV mapping options]
int importStatement(CliContext& c)
{
    bool pair = false;
    const QStringList arguments = CliArgs::withoutFlag(c.arguments, QStringLiteral("pair-transfers"), &pair);
    QString error;
    const std::optional<CliArgs> args =
        CliArgs::parse(arguments, CsvMappingOptions::names() << QStringLiteral("format"), &error);
    if (!args)
        return AccountCommands::badUsage(c.err, error);
    if (args->positional.size() != 2)
        return AccountCommands::badUsage(c.err, QStringLiteral("expected ACCOUNT FILE"));
    const std::optional<StatementFormat> format = formatOf(*args, c.err);
    if (!format)
        return static_cast<int>(CliFailed);
    return MainProgramRun(c).run([&](MainBook& book) {
        const std::optional<qint32> account = AccountCommands::resolve(book, args->positional[0], c.err);
        if (!account)
            return static_cast<int>(CliFailed);
        CsvMapping mapping;
        if (*format == StatementFormat::Csv) {
            QString mappingError;
            const std::optional<CsvMapping> built =
                CsvMappingOptions::build(*args, book.settings(), &mappingError);
            if (!built) {
                c.err << mappingError << '\n';
                return static_cast<int>(CliFailed);
            }
            mapping = *built;
        }
        const StatementImportContext context{
            book.tables(), book.categories(), book.projects(), book.totals(), book.state().defaultCurrency,
            c.clock,       c.localeValues,    c.codePage,      c.interaction};
        const StatementImportResult result =
            importStatementFile(context, args->positional[1], *format, mapping, *account);
        if (!result.ok) {
            c.err << QifImport::FailedText << '\n';
            return static_cast<int>(CliFailed);
        }
        std::vector<TransferPair> pairs;
        if (pair && !pairTransfers(book, *account, result.keys, &pairs)) {
            c.err << PairingFailedText << '\n';
            return static_cast<int>(CliFailed);
        }
        printResult(c, result, pairs);
        return static_cast<int>(CliDone);
    });
}

}  // namespace

void ImportCommands::addTo(CliCommandTable& table)
{
    table.add(
        {QStringLiteral("import"),
         QStringLiteral("import ACCOUNT FILE [--format qif|ofx|csv] [--pair-transfers] [--columns LIST] "
                        "[--delimiter C] [--quote C] [--decimal C] [--date-format F] [--header N] "
                        "[--encoding NAME] [--save-mapping NAME] [--mapping NAME]"),
         QStringLiteral("imports a QIF, OFX/QFX or CSV statement into the account"), importStatement});
}
