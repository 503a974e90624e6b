#include "shell/BackupCommands.h"

#include "shell/AccountCommands.h"
#include "shell/AccountExport.h"
#include "shell/BookBackup.h"
#include "shell/CliArgs.h"
#include "shell/CliExit.h"
#include "shell/CliValues.h"
#include "shell/MainProgramRun.h"

#include <QFileInfo>

namespace {

// Files named on the command line are taken from the working folder.
QString absolutePath(const QString& file)
{
    return QFileInfo(file).absoluteFilePath();
}

// --- backup -------------------------------------------------------------------

int backup(CliContext& c)
{
    if (c.arguments.size() != 1 || c.arguments[0].startsWith(QLatin1String("--")))
        return AccountCommands::badUsage(c.err, QStringLiteral("expected FILE"));
    const QString path = absolutePath(c.arguments[0]);
    return MainProgramRun(c).run([&](MainBook& book) {
        const bool done = BookBackup(book, c.interaction).backup(path, fileTimeNow(c.clock).value_or(0));
        return static_cast<int>(done ? CliDone : CliFailed);
    });
}

// --- restore ------------------------------------------------------------------

int restore(CliContext& c)
{
    if (c.arguments.size() != 1 || c.arguments[0].startsWith(QLatin1String("--")))
        return AccountCommands::badUsage(c.err, QStringLiteral("expected FILE"));
    const QString path = absolutePath(c.arguments[0]);
    return MainProgramRun(c).run([&](MainBook& book) {
        const BookBackup::RestoreResult result =
            BookBackup(book, c.interaction).restore(path, c.localeValues);
        if (!result.notStartedText.isEmpty())
            c.err << result.notStartedText << '\n';
        return static_cast<int>(result.outcome == Restore::Outcome::Completed ? CliDone : CliFailed);
    });
}

// --- export -------------------------------------------------------------------

std::optional<ExportFormat> formatOf(const QString& text)
{
    if (text == QLatin1String("qif"))
        return ExportFormat::Qif;
    if (text == QLatin1String("text"))
        return ExportFormat::WindowsText;
    if (text == QLatin1String("unicode"))
        return ExportFormat::UnicodeText;
    return std::nullopt;
}

struct ExportArguments {
    QString account;
    QString path;
    ExportFormat format = ExportFormat::Qif;
    std::optional<FileTime> from;
    std::optional<FileTime> to;
    bool fullYearDates = false;
};

// ACCOUNT FILE [--format qif|text|unicode] [--from D] [--to D] [--full-year]
std::optional<ExportArguments> readExportArguments(const QStringList& arguments, QString* error)
{
    ExportArguments e;
    const QStringList rest = CliArgs::withoutFlag(arguments, QStringLiteral("--full-year"), &e.fullYearDates);
    const std::optional<CliArgs> args =
        CliArgs::parse(rest, {QStringLiteral("format"), QStringLiteral("from"), QStringLiteral("to")}, error);
    if (!args)
        return std::nullopt;
    if (args->positional.size() != 2) {
        *error = QStringLiteral("expected ACCOUNT FILE");
        return std::nullopt;
    }
    e.account = args->positional[0];
    e.path = absolutePath(args->positional[1]);
    if (args->has(QStringLiteral("format"))) {
        const std::optional<ExportFormat> format = formatOf(args->value(QStringLiteral("format")));
        if (!format) {
            *error = QStringLiteral("unknown format %1").arg(args->value(QStringLiteral("format")));
            return std::nullopt;
        }
        e.format = *format;
    }
    for (const QString& option : {QStringLiteral("from"), QStringLiteral("to")}) {
        if (!args->has(option))
            continue;
        const std::optional<FileTime> day = CliValues::day(args->value(option));
        if (!day) {
            *error = QStringLiteral("malformed date %1").arg(args->value(option));
            return std::nullopt;
        }
        (option == QLatin1String("from") ? e.from : e.to) = day;
    }
    return e;
}

int exportAccount(CliContext& c)
{
    QString error;
    const std::optional<ExportArguments> e = readExportArguments(c.arguments, &error);
    if (!e)
        return AccountCommands::badUsage(c.err, error);
    return MainProgramRun(c).run([&](MainBook& book) {
        const std::optional<qint32> id = AccountCommands::resolve(book, e->account, c.err);
        if (!id)
            return static_cast<int>(CliFailed);
        const AccountExport::Choices choices{*id, e->path, e->format, e->from, e->to, e->fullYearDates};
        const bool done = AccountExport(book, c.localeValues, c.codePage, c.interaction)
                              .run(choices, fileTimeNow(c.clock).value_or(0));
        return static_cast<int>(done ? CliDone : CliFailed);
    });
}

}  // namespace

void BackupCommands::addTo(CliCommandTable& table)
{
    table.add({QStringLiteral("backup"), QStringLiteral("backup FILE"),
               QStringLiteral("writes the whole book into a backup file (.tyb)"), backup});
    table.add({QStringLiteral("restore"), QStringLiteral("restore FILE"),
               QStringLiteral("replaces the book by a backup file (needs --yes)"), restore});
    table.add(
        {QStringLiteral("export"),
         QStringLiteral("export ACCOUNT FILE [--format qif|text|unicode] [--from D] [--to D] [--full-year]"),
         QStringLiteral("writes the account's transactions as QIF or tab-separated text"), exportAccount});
}
