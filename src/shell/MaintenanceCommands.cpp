#include "shell/MaintenanceCommands.h"

#include "accounts/AccountList.h"
#include "accounts/OldTransactionPurge.h"
#include "accounts/PasswordLock.h"
#include "accounts/PasswordLockRecord.h"
#include "accounts/PasswordOptions.h"
#include "accounts/TransactionFind.h"
#include "shell/AccountCommands.h"
#include "shell/BookRepair.h"
#include "shell/CliArgs.h"
#include "shell/CliExit.h"
#include "shell/CliValues.h"
#include "shell/MainDatabaseClearing.h"
#include "shell/MainProgramRun.h"
#include "shell/ShownAccount.h"
#include "store/PasswordDigest.h"

#include <QJsonObject>

namespace {

// --- find ---------------------------------------------------------------------

int printHit(CliContext& c, const TransactionFind::Hit& hit)
{
    if (c.options.json)
        CliValues::printJson(c.out, QJsonDocument(QJsonObject{{QStringLiteral("account"), hit.account},
                                                              {QStringLiteral("row"), hit.row}}));
    else
        c.out << hit.account << '\t' << hit.row << '\n';
    return CliDone;
}

int find(CliContext& c)
{
    bool matchCase = false;
    const QStringList arguments =
        CliArgs::withoutFlag(c.arguments, QStringLiteral("--match-case"), &matchCase);
    QString error;
    const std::optional<CliArgs> args =
        CliArgs::parse(arguments, {QStringLiteral("account"), QStringLiteral("row")}, &error);
    if (!args)
        return AccountCommands::badUsage(c.err, error);
    if (args->positional.size() != 1 || args->positional[0].isEmpty())
        return AccountCommands::badUsage(
            c.err, QStringLiteral("expected TEXT [--account A] [--row R] [--match-case]"));
    // No row given: the new-transaction row, so the walk starts at the newest.
    qint64 row = -1;
    if (args->has(QStringLiteral("row"))) {
        const std::optional<qint64> r = CliValues::row(args->value(QStringLiteral("row")));
        if (!r)
            return AccountCommands::badUsage(
                c.err, QStringLiteral("malformed row %1").arg(args->value(QStringLiteral("row"))));
        row = *r;
    }
    return MainProgramRun(c).run([&](MainBook& book) {
        // Without --account the walk starts in the account the register shows.
        qint32 account = 0;
        if (args->has(QStringLiteral("account"))) {
            const std::optional<qint32> id =
                AccountCommands::resolve(book, args->value(QStringLiteral("account")), c.err);
            if (!id)
                return static_cast<int>(CliFailed);
            account = *id;
        }
        const std::optional<TransactionFind::Hit> hit =
            ShownAccount::find(book, {args->positional[0], matchCase}, {account, row}, c.interaction);
        if (!hit)
            return static_cast<int>(CliFailed);
        return printHit(c, *hit);
    });
}

// --- purge --------------------------------------------------------------------

struct PeriodCode {
    const char* code;
    size_t index;  // into OldTransactionPurge::Periods
};
constexpr PeriodCode PeriodCodes[] = {{"all", 0}, {"1y", 1}, {"6m", 2}, {"3m", 3}, {"2m", 4}, {"1m", 5}};

std::optional<OldTransactionPurge::Period> periodOf(const QString& code)
{
    for (const PeriodCode& p : PeriodCodes) {
        if (code == QLatin1String(p.code))
            return OldTransactionPurge::Periods[p.index];
    }
    return std::nullopt;
}

int printPurge(CliContext& c, const OldTransactionPurge::Result& r)
{
    if (c.options.json) {
        CliValues::printJson(
            c.out,
            QJsonDocument(QJsonObject{
                {QStringLiteral("removed"), r.removed},
                {QStringLiteral("moved_to_holder"), r.movedToHolder},
                {QStringLiteral("refiled"), r.refiled},
                {QStringLiteral("begin_balance"),
                 r.beginBalanceKey.isEmpty() ? QJsonValue() : QJsonValue(r.beginBalance.hundredths())}}));
        return CliDone;
    }
    c.out << r.removed << " transactions removed";
    if (!r.beginBalanceKey.isEmpty())
        c.out << ", " << OldTransactionPurge::BeginBalanceText << ' '
              << moneyText(r.beginBalance, c.localeValues);
    c.out << '\n';
    return CliDone;
}

int purge(CliContext& c)
{
    bool clearedOnly = false;
    const QStringList arguments =
        CliArgs::withoutFlag(c.arguments, QStringLiteral("--cleared-only"), &clearedOnly);
    QString error;
    const std::optional<CliArgs> args = CliArgs::parse(arguments, {}, &error);
    if (!args)
        return AccountCommands::badUsage(c.err, error);
    if (args->positional.size() != 2)
        return AccountCommands::badUsage(
            c.err, QStringLiteral("expected ACCOUNT all|1y|6m|3m|2m|1m [--cleared-only]"));
    const std::optional<OldTransactionPurge::Period> period = periodOf(args->positional[1]);
    if (!period)
        return AccountCommands::badUsage(c.err, QStringLiteral("unknown period %1").arg(args->positional[1]));
    return MainProgramRun(c).run([&](MainBook& book) {
        const std::optional<qint32> id = AccountCommands::resolve(book, args->positional[0], c.err);
        if (!id)
            return static_cast<int>(CliFailed);
        const QString name = AccountList(book.tables().accounts()).find(*id)->name;
        // The dialog's OK is the consent; here the question stands in for it.
        QString question = OldTransactionPurge::promptFor(name) + u' ' + QLatin1String(period->label);
        if (clearedOnly)
            question += u'\n' + QString::fromLatin1(OldTransactionPurge::ClearedOnlyText);
        if (!c.interaction.askYesNo(question, QString::fromLatin1(OldTransactionPurge::TitleText)))
            return static_cast<int>(CliFailed);
        OldTransactionPurge purger(book.tables(), book.categories(),
                                   [&book] { return book.updateAllProjectTotals(); });
        const OldTransactionPurge::Result result =
            purger.purge(*id, period->days, clearedOnly, fileTimeNow(c.clock).value_or(0));
        if (result.outcome != OldTransactionPurge::Outcome::Done) {
            c.err << "The old transactions could not be deleted; nothing was changed.\n";
            return static_cast<int>(CliFailed);
        }
        return printPurge(c, result);
    });
}

// --- clear-database, repair -----------------------------------------------------

int clearDatabase(CliContext& c)
{
    if (!c.arguments.isEmpty())
        return AccountCommands::badUsage(c.err, QStringLiteral("clear-database takes no arguments"));
    return MainProgramRun(c).run([&](MainBook& book) {
        switch (MainDatabaseClearing::run(book, c.interaction)) {
        case DatabaseClearing::Outcome::Cleared:
            return static_cast<int>(CliDone);
        case DatabaseClearing::Outcome::Failed:
            c.err << "The database could not be cleared; nothing was changed.\n";
            break;
        case DatabaseClearing::Outcome::Declined:
        case DatabaseClearing::Outcome::ReportProgramRunning:
            break;
        }
        return static_cast<int>(CliFailed);
    });
}

int repair(CliContext& c)
{
    if (!c.arguments.isEmpty())
        return AccountCommands::badUsage(c.err, QStringLiteral("repair takes no arguments"));
    return MainProgramRun(c).run([&](MainBook& book) {
        if (BookRepair::run(book, fileTimeNow(c.clock).value_or(0), c.interaction))
            return static_cast<int>(CliDone);
        c.err << "The repair could not complete every step.\n";
        return static_cast<int>(CliFailed);
    });
}

// --- password-set, password-clear -------------------------------------------------

// Applies the options page as the command line filled it in.
int applyPasswordOptions(CliContext& c, MainBook& book, const std::function<bool(PasswordOptions&)>& fill)
{
    DbTable& transactions = book.tables().transactions();
    const LockSettings current = PasswordLockRecord::read(transactions).settings;
    PasswordOptions page(current);
    if (!fill(page))
        return CliBadUsage;
    PasswordLock lock(c.clock);
    lock.setSettings(current);
    switch (page.apply(transactions, lock, c.interaction)) {
    case PasswordOptions::Outcome::Saved:
        return CliDone;
    case PasswordOptions::Outcome::WriteFailed:
        c.err << "The password settings could not be written.\n";
        break;
    case PasswordOptions::Outcome::PasswordsDiffer:
    case PasswordOptions::Outcome::IdleTooShort:
        break;
    }
    return CliFailed;
}

int setPassword(CliContext& c)
{
    QString error;
    const std::optional<CliArgs> args = CliArgs::parse(c.arguments, {QStringLiteral("idle-minutes")}, &error);
    if (!args)
        return AccountCommands::badUsage(c.err, error);
    if (args->positional.size() != 1 || args->positional[0].isEmpty())
        return AccountCommands::badUsage(c.err, QStringLiteral("expected TEXT [--idle-minutes M]"));
    const QString password = args->positional[0];
    if (!isAcceptablePassword(password))
        return AccountCommands::badUsage(
            c.err, QStringLiteral("a password has at most %1 characters").arg(MaxPasswordLength));
    return MainProgramRun(c).run([&](MainBook& book) {
        return applyPasswordOptions(c, book, [&](PasswordOptions& page) {
            page.setPasswordChecked(true);
            if (!page.setFirstPassword(password) || !page.setSecondPassword(password))
                return false;
            // Not given: the idle lock stays as it is set. "0" switches it off.
            if (args->has(QStringLiteral("idle-minutes"))) {
                const QString minutes = args->value(QStringLiteral("idle-minutes")).trimmed();
                const bool off = minutes == QLatin1String("0");
                page.setIdleChecked(!off);
                page.setIdleMinutes(off ? QString() : minutes);
            }
            return true;
        });
    });
}

int clearPassword(CliContext& c)
{
    if (!c.arguments.isEmpty())
        return AccountCommands::badUsage(c.err, QStringLiteral("password-clear takes no arguments"));
    return MainProgramRun(c).run([&](MainBook& book) {
        return applyPasswordOptions(c, book, [](PasswordOptions& page) {
            page.setPasswordChecked(false);
            return true;
        });
    });
}

}  // namespace

void MaintenanceCommands::addTo(CliCommandTable& table)
{
    table.add({QStringLiteral("find"),
               QStringLiteral("find TEXT [--account ACCOUNT] [--row ROW] [--match-case]"),
               QStringLiteral("the first transaction, walking back from the row, whose description, contact, "
                              "number or note holds the text"),
               find});
    table.add(
        {QStringLiteral("purge"), QStringLiteral("purge ACCOUNT all|1y|6m|3m|2m|1m [--cleared-only]"),
         QStringLiteral("deletes old transactions, keeping the balance in a \"Begin Balance\" (needs --yes)"),
         purge});
    table.add(
        {QStringLiteral("clear-database"), QStringLiteral("clear-database"),
         QStringLiteral("deletes all data but the password; the next start begins afresh (needs --yes)"),
         clearDatabase});
    table.add({QStringLiteral("repair"), QStringLiteral("repair"),
               QStringLiteral(
                   "re-index, recalculate every account, recompute project totals, rebuild the future list"),
               repair});
    table.add({QStringLiteral("password-set"), QStringLiteral("password-set TEXT [--idle-minutes M]"),
               QStringLiteral("sets the start-up password and the idle lock (\"0\" minutes: none)"),
               setPassword});
    table.add({QStringLiteral("password-clear"), QStringLiteral("password-clear"),
               QStringLiteral("removes the password and the idle lock"), clearPassword});
}
