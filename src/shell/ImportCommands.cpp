#include "shell/ImportCommands.h"

#include "interchange/QifImport.h"
#include "shell/AccountCommands.h"
#include "shell/CliExit.h"
#include "shell/CliValues.h"
#include "shell/MainProgramRun.h"

#include <QJsonObject>

namespace {

void printResult(CliContext& c, const QifImportResult& result)
{
    if (!c.options.json) {
        c.out << QifImport::SucceededText << '\n';
        return;
    }
    CliValues::printJson(c.out, QJsonDocument(QJsonObject{{QStringLiteral("added"), result.added},
                                                          {QStringLiteral("merged"), result.merged},
                                                          {QStringLiteral("dropped"), result.dropped},
                                                          {QStringLiteral("stopped"), result.stopped}}));
}

// import ACCOUNT FILE: the "&Import from QIF..." command with the file given.
int importQif(CliContext& c)
{
    if (c.arguments.size() != 2)
        return AccountCommands::badUsage(c.err, QStringLiteral("expected ACCOUNT FILE"));
    return MainProgramRun(c).run([&](MainBook& book) {
        const std::optional<qint32> account = AccountCommands::resolve(book, c.arguments[0], c.err);
        if (!account)
            return static_cast<int>(CliFailed);
        QifImport import(QifImportContext{book.tables(), book.categories(), book.projects(), book.totals(),
                                          book.state().defaultCurrency, c.clock, c.localeValues, c.codePage,
                                          c.interaction});
        const QifImportResult result = import.importFile(c.arguments[1], *account);
        if (!result.ok) {
            c.err << QifImport::FailedText << '\n';
            return static_cast<int>(CliFailed);
        }
        printResult(c, result);
        return static_cast<int>(CliDone);
    });
}

}  // namespace

void ImportCommands::addTo(CliCommandTable& table)
{
    table.add({QStringLiteral("import"), QStringLiteral("import ACCOUNT FILE"),
               QStringLiteral("imports a QIF file into the account"), importQif});
}
