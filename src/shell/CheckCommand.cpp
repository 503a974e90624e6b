#include "shell/CheckCommand.h"

#include "accounts/AccountCheck.h"
#include "planning/FutureListCheck.h"
#include "reference/ProjectTotalsCheck.h"
#include "shell/AccountCommands.h"
#include "shell/CliExit.h"
#include "shell/CliValues.h"
#include "shell/MainProgramRun.h"

#include <QJsonArray>
#include <QJsonObject>

namespace {

int check(CliContext& c)
{
    if (!c.arguments.isEmpty())
        return AccountCommands::badUsage(c.err, QStringLiteral("check takes no arguments"));
    return MainProgramRun(c).run([&](MainBook& book) {
        const QStringList problems = CheckCommand::bookProblems(book);
        if (c.options.json) {
            CliValues::printJson(c.out, QJsonDocument(QJsonObject{{QStringLiteral("problems"),
                                                                   QJsonArray::fromStringList(problems)}}));
        } else {
            for (const QString& problem : problems)
                c.out << problem << '\n';
        }
        return static_cast<int>(problems.isEmpty() ? CliDone : CliFailed);
    });
}

}  // namespace

QStringList CheckCommand::bookProblems(MainBook& book)
{
    QStringList problems = AccountCheck(book.tables()).problems();
    problems += ProjectTotalsCheck(book.tables(), book.currencies()).problems(book.state().defaultCurrency);
    problems += FutureListCheck(book.tables(), book.future()).problems(book.state().horizon);
    return problems;
}

void CheckCommand::addTo(CliCommandTable& table)
{
    table.add({QStringLiteral("check"), QStringLiteral("check"),
               QStringLiteral("verifies balances, totals, keys, transfer links, project totals and the "
                              "future list"),
               check});
}
