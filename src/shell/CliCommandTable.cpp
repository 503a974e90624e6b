#include "shell/CliCommandTable.h"

#include "shell/AccountCommands.h"
#include "shell/BackupCommands.h"
#include "shell/CheckCommand.h"
#include "shell/DemoCommand.h"
#include "shell/FutureCommands.h"
#include "shell/ImportCommands.h"
#include "shell/MaintenanceCommands.h"
#include "shell/PlanningCommands.h"
#include "shell/ReferenceCommands.h"
#include "shell/RegisterCommands.h"
#include "shell/ReportCommands.h"
#include "shell/TransactionCommands.h"

namespace {

const char* const Usage =
    "Usage: tallyra-cli [OPTIONS] COMMAND [ARGUMENTS]\n"
    "\n"
    "Runs one command on a book without a window.\n"
    "\n"
    "Options (before the command):\n"
    "  --data DIR         the book folder (default $TALLYRA_HOME, else $XDG_DATA_HOME/Brenfield)\n"
    "  --locale NAME      locale of the formats, e.g. de_DE (default $TALLYRA_LOCALE, else the user's)\n"
    "  --now TIME         the clock reads YYYY-MM-DDTHH:MM:SS[.mmm] for the whole run ($TALLYRA_NOW)\n"
    "  --codepage NAME    8-bit code page of QIF, text and HTML files (default windows-1252)\n"
    "  --yes              answer Yes to every question\n"
    "  --password TEXT    the password for the start-up check\n"
    "  --json             machine-readable output on stdout\n"
    "  --help             show this text\n"
    "\n"
    "Exit status: 0 done, 1 the command failed or was refused, 2 bad usage.\n";

}  // namespace

CliCommandTable CliCommandTable::standard()
{
    // Each group of commands adds its entries here as it arrives.
    CliCommandTable table;
    AccountCommands::addTo(table);
    RegisterCommands::addTo(table);
    TransactionCommands::addTo(table);
    PlanningCommands::addTo(table);
    FutureCommands::addTo(table);
    MaintenanceCommands::addTo(table);
    ImportCommands::addTo(table);
    BackupCommands::addTo(table);
    CheckCommand::addTo(table);
    DemoCommand::addTo(table);
    ReferenceCommands::addTo(table);
    addReportCommands(table);
    return table;
}

bool CliCommandTable::add(CliCommand command)
{
    if (find(command.name))
        return false;
    m_commands.push_back(std::move(command));
    return true;
}

const CliCommand* CliCommandTable::find(const QString& name) const
{
    for (const CliCommand& command : m_commands) {
        if (command.name == name)
            return &command;
    }
    return nullptr;
}

QString CliCommandTable::helpText() const
{
    QString text = QString::fromLatin1(Usage) + QLatin1String("\nCommands:\n");
    if (m_commands.empty())
        text += QLatin1String("  (none in this build)\n");
    for (const CliCommand& command : m_commands) {
        text += QLatin1String("  ") + command.usage + u'\n';
        if (!command.summary.isEmpty())
            text += QLatin1String("      ") + command.summary + u'\n';
    }
    return text;
}
