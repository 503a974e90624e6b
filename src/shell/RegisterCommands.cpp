#include "shell/RegisterCommands.h"

#include "accounts/BalancePopup.h"
#include "accounts/Register.h"
#include "accounts/RegisterInfo.h"
#include "planning/FutureBar.h"
#include "shell/AccountCommands.h"
#include "shell/CliExit.h"
#include "shell/CliValues.h"
#include "shell/MainProgramRun.h"
#include "shell/ShownAccount.h"
#include "store/DateText.h"

#include <QJsonArray>
#include <QJsonObject>

namespace {

using Body = std::function<int(MainBook&, Register&)>;

// Start-up, the named account selected in the register (and remembered as
// the last one shown), then `body`.
int withRegister(CliContext& c, const QString& account, const Body& body)
{
    return MainProgramRun(c).run([&](MainBook& book) {
        const std::optional<qint32> id = AccountCommands::resolve(book, account, c.err);
        if (!id)
            return static_cast<int>(CliFailed);
        Register reg(book.tables(), book.currencies(), c.localeValues, book.future());
        if (!ShownAccount::show(book, reg, *id))
            return static_cast<int>(CliFailed);
        return body(book, reg);
    });
}

QString markLetter(ReconcileMark mark)
{
    switch (mark) {
    case ReconcileMark::Unreconciled:
        return {};
    case ReconcileMark::Cleared:
        return QStringLiteral("C");
    case ReconcileMark::Reconciled:
        return QStringLiteral("R");
    }
    return {};
}

QJsonObject entryJson(MainBook& book, qint64 row, const RegisterEntry& e)
{
    return QJsonObject{{QStringLiteral("row"), row},
                       {QStringLiteral("key"), e.key},
                       {QStringLiteral("date"), CliValues::jsonDate(e.date)},
                       {QStringLiteral("number"), e.number},
                       {QStringLiteral("description"), e.description},
                       {QStringLiteral("amount"), e.amount.hundredths()},
                       {QStringLiteral("balance"), e.balance.hundredths()},
                       {QStringLiteral("mark"), static_cast<int>(e.mark)},
                       {QStringLiteral("category"), book.categories().pathOf(e.category)},
                       {QStringLiteral("category_id"), e.category},
                       {QStringLiteral("project"), book.projects().pathOf(e.project)},
                       {QStringLiteral("project_id"), e.project},
                       {QStringLiteral("contact"), e.contact},
                       {QStringLiteral("note"), e.note},
                       {QStringLiteral("link"), e.link},
                       {QStringLiteral("planner_id"), e.plannerId}};
}

QJsonObject futureJson(MainBook& book, qint64 row, const FutureEntry& e)
{
    return QJsonObject{{QStringLiteral("row"), row},
                       {QStringLiteral("date"), CliValues::jsonDate(e.date)},
                       {QStringLiteral("description"), e.description},
                       {QStringLiteral("amount"), e.amount.hundredths()},
                       {QStringLiteral("currency"), e.currency},
                       {QStringLiteral("planner_id"), e.plannerId},
                       {QStringLiteral("category"), book.categories().pathOf(e.category)},
                       {QStringLiteral("project"), book.projects().pathOf(e.project)}};
}

// The future rows follow the new-transaction row; their amounts are in each
// entry's own currency, so the text output names it after the amount, and the
// balance and mark columns stay empty. False when an entry could not be read.
bool printFuture(CliContext& c, MainBook& book, Register& reg, QJsonArray& rows)
{
    const qint64 first = reg.transactionCount() + 1;
    for (qint64 row = first; row < first + reg.futureCount(); ++row) {
        const std::optional<FutureEntry> e = reg.futureEntry(row);
        if (!e) {
            c.err << BalancePopup::ErrorDatabaseText << '\n';
            return false;
        }
        if (c.options.json) {
            rows.append(futureJson(book, row, *e));
            continue;
        }
        c.out << row << '\t' << dateWithWeekday(e->date, c.localeValues) << '\t'
              << reg.plannerNumber(e->plannerId) << '\t' << e->description << '\t'
              << moneyText(e->amount, c.localeValues) << ' ' << e->currency << "\t\t\t"
              << book.categories().pathOf(e->category) << '\t' << book.projects().pathOf(e->project) << '\n';
    }
    return true;
}

int printRegister(CliContext& c, MainBook& book, Register& reg)
{
    QJsonArray rows;
    for (qint64 row = 0; row < reg.transactionCount(); ++row) {
        const std::optional<RegisterEntry> e = reg.entry(row);
        if (!e) {
            c.err << BalancePopup::ErrorDatabaseText << '\n';
            return CliFailed;
        }
        if (c.options.json) {
            rows.append(entryJson(book, row, *e));
            continue;
        }
        c.out << row << '\t' << dateWithWeekday(e->date, c.localeValues) << '\t' << e->number << '\t'
              << e->description << '\t' << moneyText(e->amount, c.localeValues) << '\t'
              << moneyText(e->balance, c.localeValues) << '\t' << markLetter(e->mark) << '\t'
              << book.categories().pathOf(e->category) << '\t' << book.projects().pathOf(e->project) << '\n';
    }
    QJsonArray future;
    if (!printFuture(c, book, reg, future))
        return CliFailed;
    if (!c.options.json) {
        c.out << reg.balanceBarText() << '\n';
        return CliDone;
    }
    const QJsonObject account{{QStringLiteral("id"), reg.accountId()},
                              {QStringLiteral("name"), reg.accountName()},
                              {QStringLiteral("currency"), reg.currency()},
                              {QStringLiteral("balance"), reg.total().hundredths()}};
    // The future bar's label: what the list up to the horizon comes to in the account's currency.
    const Money expected =
        FutureBar(book.future(), book.currencies(), book.categories(), c.localeValues).total(reg.currency());
    CliValues::printJson(c.out,
                         QJsonDocument(QJsonObject{{QStringLiteral("account"), account},
                                                   {QStringLiteral("transactions"), rows},
                                                   {QStringLiteral("future"), future},
                                                   {QStringLiteral("prognosis"), expected.hundredths()}}));
    return CliDone;
}

void printLines(CliContext& c, const QStringList& lines)
{
    if (c.options.json) {
        CliValues::printJson(
            c.out, QJsonDocument(QJsonObject{{QStringLiteral("lines"), QJsonArray::fromStringList(lines)}}));
        return;
    }
    for (const QString& line : lines)
        c.out << line << '\n';
}

int showRegister(CliContext& c)
{
    if (c.arguments.size() != 1)
        return AccountCommands::badUsage(c.err, QStringLiteral("expected ACCOUNT"));
    return withRegister(c, c.arguments[0],
                        [&](MainBook& book, Register& reg) { return printRegister(c, book, reg); });
}

int showBalance(CliContext& c)
{
    if (c.arguments.size() != 1)
        return AccountCommands::badUsage(c.err, QStringLiteral("expected ACCOUNT"));
    return withRegister(c, c.arguments[0], [&](MainBook& book, Register& reg) {
        const std::optional<PopupLines> popup =
            BalancePopup::build(reg, book.tables().accounts(), c.localeValues, c.interaction);
        if (!popup)
            return static_cast<int>(CliFailed);
        printLines(c, popup->printed());
        return static_cast<int>(CliDone);
    });
}

// ACCOUNT ROW, the row a transaction row of the register (or, with
// `futureToo`, a future row).
int withTransactionRow(CliContext& c, const std::function<int(MainBook&, Register&, qint64)>& body,
                       bool futureToo = false)
{
    if (c.arguments.size() != 2)
        return AccountCommands::badUsage(c.err, QStringLiteral("expected ACCOUNT ROW"));
    const std::optional<qint64> row = CliValues::row(c.arguments[1]);
    if (!row)
        return AccountCommands::badUsage(c.err, QStringLiteral("malformed row %1").arg(c.arguments[1]));
    return withRegister(c, c.arguments[0], [&](MainBook& book, Register& reg) {
        switch (reg.rowKind(*row)) {
        case Register::RowKind::Transaction:
            return body(book, reg, *row);
        case Register::RowKind::NewTransaction:
            c.err << "row " << *row << " is the new-transaction row\n";
            break;
        case Register::RowKind::Future:
            if (futureToo)
                return body(book, reg, *row);
            c.err << "row " << *row << " is a future-list row\n";
            break;
        case Register::RowKind::Outside:
            c.err << "no row " << *row << " in the register of " << reg.accountName() << '\n';
            break;
        }
        return static_cast<int>(CliFailed);
    });
}

int toggleMark(CliContext& c)
{
    return withTransactionRow(c, [&](MainBook&, Register& reg, qint64 row) {
        const std::optional<ReconcileMark> mark = reg.toggleMark(row);
        if (!mark) {
            c.err << "The mark could not be written.\n";
            return static_cast<int>(CliFailed);
        }
        c.out << RegisterInfo::markLabel(*mark) << '\n';
        return static_cast<int>(CliDone);
    });
}

int showInfo(CliContext& c)
{
    return withTransactionRow(
        c,
        [&](MainBook& book, Register& reg, qint64 row) {
            RegisterInfo info(reg, book.tables(), book.categories(), book.projects(), book.currencies(),
                              c.localeValues);
            const std::optional<PopupLines> popup = info.build(row);
            if (!popup) {
                c.err << BalancePopup::ErrorDatabaseText << '\n';
                return static_cast<int>(CliFailed);
            }
            printLines(c, QStringList{popup->title} + popup->printed());
            return static_cast<int>(CliDone);
        },
        true);
}

}  // namespace

void RegisterCommands::addTo(CliCommandTable& table)
{
    table.add({QStringLiteral("register"), QStringLiteral("register ACCOUNT"),
               QStringLiteral("the account's transactions with running balances, then its balance"),
               showRegister});
    table.add({QStringLiteral("balance"), QStringLiteral("balance ACCOUNT"),
               QStringLiteral("the balance popup's lines"), showBalance});
    table.add({QStringLiteral("mark"), QStringLiteral("mark ACCOUNT ROW"),
               QStringLiteral("advances a transaction's reconcile mark"), toggleMark});
    table.add({QStringLiteral("info"), QStringLiteral("info ACCOUNT ROW"),
               QStringLiteral("the information popup's lines of a transaction or a future-list row"),
               showInfo});
}
