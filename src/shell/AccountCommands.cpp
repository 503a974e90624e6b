#include "shell/AccountCommands.h"

#include "accounts/AccountCreator.h"
#include "accounts/AccountEdit.h"
#include "accounts/AccountList.h"
#include "accounts/AccountName.h"
#include "shell/CliArgs.h"
#include "shell/CliExit.h"
#include "shell/CliFirstAccount.h"
#include "shell/CliValues.h"
#include "shell/MainAccountDeletion.h"
#include "shell/MainProgramRun.h"

#include <QJsonArray>
#include <QJsonObject>

namespace {

// NAME CURRENCY [OPENING] as the "Create New Account" dialog would take them.
std::optional<AccountDraft> readDraft(CliContext& c, QString* error)
{
    QString parseError;
    const std::optional<CliArgs> args = CliArgs::parse(c.arguments, {}, &parseError);
    if (!args) {
        *error = parseError;
        return std::nullopt;
    }
    const QStringList& p = args->positional;
    if (p.size() < 2 || p.size() > 3) {
        *error = QStringLiteral("expected NAME CURRENCY [OPENING]");
        return std::nullopt;
    }
    if (const std::optional<QString> problem = AccountName::problem(p[0])) {
        *error = *problem;
        return std::nullopt;
    }
    const std::optional<int> row = CliValues::currencyRow(p[1]);
    if (!row) {
        *error = QStringLiteral("unknown currency %1").arg(p[1]);
        return std::nullopt;
    }
    const std::optional<Money> opening =
        p.size() == 3 ? CliValues::amount(p[2]) : std::optional<Money>(Money());
    if (!opening) {
        *error = QStringLiteral("malformed amount %1").arg(p[2]);
        return std::nullopt;
    }
    return AccountDraft{p[0], *row, *opening};
}

int printAccountId(CliContext& c, qint32 id)
{
    if (c.options.json)
        CliValues::printJson(c.out, QJsonDocument(QJsonObject{{QStringLiteral("account"), id}}));
    else
        c.out << id << '\n';
    return CliDone;
}

int init(CliContext& c)
{
    QString error;
    const std::optional<AccountDraft> draft = readDraft(c, &error);
    if (!draft)
        return AccountCommands::badUsage(c.err, error);
    CliFirstAccount source(draft, c.err);
    return MainProgramRun(c).run(
        [&](MainBook& book) {
            if (!source.asked()) {
                c.err << "The book has accounts already.\n";
                return static_cast<int>(CliFailed);
            }
            return printAccountId(c, AccountList(book.tables().accounts()).largestId());
        },
        &source);
}

int listAccounts(CliContext& c)
{
    if (!c.arguments.isEmpty())
        return AccountCommands::badUsage(c.err, QStringLiteral("accounts takes no arguments"));
    return MainProgramRun(c).run([&](MainBook& book) {
        QJsonArray list;
        for (const AccountRecord& a : AccountList(book.tables().accounts()).all()) {
            if (c.options.json) {
                list.append(QJsonObject{{QStringLiteral("id"), a.id},
                                        {QStringLiteral("name"), a.name},
                                        {QStringLiteral("currency"), a.currency},
                                        {QStringLiteral("balance"), a.total.hundredths()},
                                        {QStringLiteral("note"), a.note}});
            } else {
                c.out << a.id << '\t' << a.name << '\t' << a.currency << '\t'
                      << moneyText(a.total, c.localeValues) << '\n';
            }
        }
        if (c.options.json)
            CliValues::printJson(c.out, QJsonDocument(list));
        return static_cast<int>(CliDone);
    });
}

int addAccount(CliContext& c)
{
    QString error;
    const std::optional<AccountDraft> draft = readDraft(c, &error);
    if (!draft)
        return AccountCommands::badUsage(c.err, error);
    return MainProgramRun(c).run([&](MainBook& book) {
        const qint32 id = AccountCreator(book.tables(), book.currencies(), c.clock).create(*draft);
        if (id == 0) {
            c.err << "The account could not be created.\n";
            return static_cast<int>(CliFailed);
        }
        return printAccountId(c, id);
    });
}

int editAccount(CliContext& c)
{
    QString error;
    const std::optional<CliArgs> args =
        CliArgs::parse(c.arguments, {QStringLiteral("name"), QStringLiteral("note")}, &error);
    if (!args)
        return AccountCommands::badUsage(c.err, error);
    if (args->positional.size() != 1)
        return AccountCommands::badUsage(c.err, QStringLiteral("expected ACCOUNT [--name T] [--note T]"));
    return MainProgramRun(c).run([&](MainBook& book) {
        const std::optional<qint32> id = AccountCommands::resolve(book, args->positional[0], c.err);
        if (!id)
            return static_cast<int>(CliFailed);
        const AccountRecord old = *AccountList(book.tables().accounts()).find(*id);
        const QString name =
            args->has(QStringLiteral("name")) ? args->value(QStringLiteral("name")) : old.name;
        const QString note =
            args->has(QStringLiteral("note")) ? args->value(QStringLiteral("note")) : old.note;
        if (const std::optional<QString> problem = AccountName::problem(name)) {
            c.err << *problem << '\n';
            return static_cast<int>(CliFailed);
        }
        if (!AccountEdit::apply(book.tables().accounts(), *id, name, note)) {
            c.err << "The account could not be changed.\n";
            return static_cast<int>(CliFailed);
        }
        return static_cast<int>(CliDone);
    });
}

int deleteAccount(CliContext& c)
{
    if (c.arguments.size() != 1)
        return AccountCommands::badUsage(c.err, QStringLiteral("expected ACCOUNT"));
    return MainProgramRun(c).run([&](MainBook& book) {
        const std::optional<qint32> id = AccountCommands::resolve(book, c.arguments[0], c.err);
        if (!id)
            return static_cast<int>(CliFailed);
        switch (MainAccountDeletion::run(book, *id, c.interaction)) {
        case AccountDeletion::Outcome::Deleted:
            return static_cast<int>(CliDone);
        case AccountDeletion::Outcome::Failed:
            c.err << "The account could not be deleted; nothing was changed.\n";
            break;
        case AccountDeletion::Outcome::Declined:
        case AccountDeletion::Outcome::LastAccount:
        case AccountDeletion::Outcome::Missing:
            break;
        }
        return static_cast<int>(CliFailed);
    });
}

}  // namespace

int AccountCommands::badUsage(QTextStream& err, const QString& message)
{
    err << "tallyra-cli: " << message << '\n';
    return CliBadUsage;
}

std::optional<qint32> AccountCommands::resolve(MainBook& book, const QString& text, QTextStream& err)
{
    if (const std::optional<AccountRecord> a = AccountList(book.tables().accounts()).findByIdOrName(text))
        return a->id;
    err << "no account " << text << '\n';
    return std::nullopt;
}

void AccountCommands::addTo(CliCommandTable& table)
{
    table.add({QStringLiteral("init"), QStringLiteral("init NAME CURRENCY [OPENING]"),
               QStringLiteral("first run on an empty book: categories, root project, first account"), init});
    table.add({QStringLiteral("accounts"), QStringLiteral("accounts"),
               QStringLiteral("lists the accounts: id, name, currency, balance"), listAccounts});
    table.add({QStringLiteral("account-add"), QStringLiteral("account-add NAME CURRENCY [OPENING]"),
               QStringLiteral("creates an account with its opening balance"), addAccount});
    table.add({QStringLiteral("account-edit"), QStringLiteral("account-edit ACCOUNT [--name T] [--note T]"),
               QStringLiteral("changes an account's name or note"), editAccount});
    table.add({QStringLiteral("account-delete"), QStringLiteral("account-delete ACCOUNT"),
               QStringLiteral("deletes an account and its transactions (needs --yes)"), deleteAccount});
}
