#include "shell/BackupCommands.h"

#include "accounts/AccountList.h"
#include "accounts/DatabaseClearing.h"
#include "interchange/Backup.h"
#include "interchange/BackupLocation.h"
#include "interchange/ExportCommand.h"
#include "interchange/Restore.h"
#include "shell/AccountCommands.h"
#include "shell/CliArgs.h"
#include "shell/CliExit.h"
#include "shell/MainProgramRun.h"

#include <QDate>
#include <QFileInfo>

namespace {

using Text = TallyraSettings::Text;

FileTime nowOf(const CliContext& c)
{
    return fileTimeFromLocal(c.clock.now()).value_or(0);
}

// Files named on the command line are taken from the working folder.
QString absolutePath(const QString& file)
{
    return QFileInfo(file).absoluteFilePath();
}

// "BackUp Folder" and "BackUp File": what the file dialogs of backup and
// restore would start with next time.
void rememberBackupFile(MainBook& book, const QString& path)
{
    const BackupLocation location = BackupLocation::of(path);
    book.settings().write(Text::BackUpFolder, location.folder);
    book.settings().write(Text::BackUpFile, location.file);
}

// The settings items of a restored file go into the main program's settings.
class SettingsForRestore : public RestoreSettings {
public:
    explicit SettingsForRestore(TallyraSettings& settings) : m_settings(settings) {}
    bool writeText(const QString& section, const QString& key, const QString& value) override
    {
        return m_settings.writeItem(section, key, value);
    }
    bool writeInt(const QString& section, const QString& key, qint32 value) override
    {
        return m_settings.writeItem(section, key, value);
    }

private:
    TallyraSettings& m_settings;
};

// --- backup -------------------------------------------------------------------

int backup(CliContext& c)
{
    if (c.arguments.size() != 1 || c.arguments[0].startsWith(QLatin1String("--")))
        return AccountCommands::badUsage(c.err, QStringLiteral("expected FILE"));
    const QString path = absolutePath(c.arguments[0]);
    return MainProgramRun(c).run([&](MainBook& book) {
        rememberBackupFile(book, path);
        Backup backup(book.tables(), c.interaction);
        const bool done = backup.run(Backup::Request{path, nowOf(c), book.state().defaultCurrency});
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
        SettingsForRestore settings(book.settings());
        Restore restore(book.tables(), c.localeValues, c.interaction, settings);
        const QString folder = book.folder().path();
        if (!restore.begin([&] { return DatabaseClearing::reportProgramHolds(folder); }))
            return static_cast<int>(CliFailed);
        rememberBackupFile(book, path);
        // Restoring: the exit leaves the horizon at 0, so the next start
        // rebuilds the future list and every project's totals.
        book.state().skipSave = true;
        const Restore::Outcome outcome = restore.restoreFrom(path);
        if (outcome == Restore::Outcome::NotStarted) {
            book.state().skipSave = false;
            if (restore.notStartedReason() == Restore::NotStartedReason::Unreadable)
                c.err << QStringLiteral("The file %1 could not be read.").arg(path) << '\n';
            else if (restore.notStartedReason() == Restore::NotStartedReason::NotABackup)
                c.err << QStringLiteral("%1 is not a backup file.").arg(path) << '\n';
            return static_cast<int>(CliFailed);
        }
        // The file's setting items may have named the horizon too.
        book.settings().setFutureHorizon(0);
        return static_cast<int>(outcome == Restore::Outcome::Completed ? CliDone : CliFailed);
    });
}

// --- export -------------------------------------------------------------------

std::optional<FileTime> dayOf(const QString& text)
{
    const QDate d = QDate::fromString(text, QStringLiteral("yyyy-MM-dd"));
    if (!d.isValid())
        return std::nullopt;
    return fileTimeFromLocal(LocalTime{d.year(), d.month(), d.day(), 0, 0, 0, 0});
}

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
    QStringList rest;
    for (const QString& a : arguments) {
        if (a == QLatin1String("--full-year"))
            e.fullYearDates = true;
        else
            rest << a;
    }
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
        const std::optional<FileTime> day = dayOf(args->value(option));
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
        const std::optional<AccountRecord> account = AccountList(book.tables().accounts()).find(*id);
        if (!account)
            return static_cast<int>(CliFailed);
        TallyraSettings& settings = book.settings();
        // Without dates the dialog's own: from where the last export ended, to today.
        const ExportRequest request{*id,
                                    e->path,
                                    e->format,
                                    e->from.value_or(settings.exportStartDate(account->name)),
                                    e->to.value_or(nowOf(c)),
                                    e->fullYearDates};
        ExportWriter writer(book.tables(), book.categories(), book.projects(), c.localeValues, c.codePage);
        const bool done = ExportCommand::run(writer, request, c.interaction, [&](const ExportMemory& m) {
            settings.setExportStartDate(account->name, m.nextStart);
            settings.write(TallyraSettings::Int::ExportFullYearDates, m.fullYearDates ? 1 : 0);
            settings.write(Text::ExportFolder, m.folder);
            settings.setExportFile(account->name, m.file);
        });
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
    table.add({QStringLiteral("export"),
               QStringLiteral("export ACCOUNT FILE [--format qif|text|unicode] [--from D] [--to D] [--full-year]"),
               QStringLiteral("writes the account's transactions as QIF or tab-separated text"), exportAccount});
}
