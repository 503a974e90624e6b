#include "shell/FutureCommands.h"

#include "accounts/AccountList.h"
#include "planning/FutureBar.h"
#include "platform/ForwardingInteraction.h"
#include "shell/AccountCommands.h"
#include "shell/CliArgs.h"
#include "shell/CliExit.h"
#include "shell/CliValues.h"
#include "shell/MainProgramRun.h"
#include "store/DateText.h"

#include <QJsonArray>
#include <QJsonObject>

namespace {

// Keeps the message the reminders show so the command can print it on
// standard output; everything else goes to the run's own interaction.
class MessageCapture : public ForwardingInteraction {
public:
    using ForwardingInteraction::ForwardingInteraction;

    void showMessage(const QString& text, Icon, const QString& = {}) override { messages << text; }

    QStringList messages;
};

// The account's currency; nullopt (with the message printed) when no account is named so.
std::optional<QString> accountCurrency(CliContext& c, MainBook& book, const QString& account)
{
    const std::optional<qint32> id = AccountCommands::resolve(book, account, c.err);
    if (!id)
        return std::nullopt;
    const std::optional<AccountRecord> record = AccountList(book.tables().accounts()).find(*id);
    if (!record) {
        c.err << "no account " << account << '\n';
        return std::nullopt;
    }
    return record->currency;
}

QJsonObject entryJson(const FutureEntry& e)
{
    return QJsonObject{{QStringLiteral("date"), CliValues::jsonDate(e.date)},
                       {QStringLiteral("description"), e.description},
                       {QStringLiteral("note"), e.note},
                       {QStringLiteral("amount"), e.amount.hundredths()},
                       {QStringLiteral("full_amount"), e.fullAmount.hundredths()},
                       {QStringLiteral("currency"), e.currency},
                       {QStringLiteral("planner_id"), e.plannerId},
                       {QStringLiteral("category_id"), e.category},
                       {QStringLiteral("project_id"), e.project},
                       {QStringLiteral("reminded"), e.reminded}};
}

int showFuture(CliContext& c)
{
    QString error;
    const std::optional<CliArgs> args =
        CliArgs::parse(c.arguments, {QStringLiteral("horizon"), QStringLiteral("account")}, &error);
    if (!args)
        return AccountCommands::badUsage(c.err, error);
    if (!args->positional.isEmpty())
        return AccountCommands::badUsage(c.err, QStringLiteral("expected [--horizon D] [--account ACCOUNT]"));
    std::optional<FileTime> horizon;
    if (args->has(QStringLiteral("horizon"))) {
        const QString text = args->value(QStringLiteral("horizon"));
        horizon = CliValues::day(text);
        if (!horizon)
            return AccountCommands::badUsage(c.err, QStringLiteral("malformed date %1").arg(text));
    }
    return MainProgramRun(c).run([&](MainBook& book) {
        std::optional<QString> currency;
        if (args->has(QStringLiteral("account"))) {
            currency = accountCurrency(c, book, args->value(QStringLiteral("account")));
            if (!currency)
                return static_cast<int>(CliFailed);
        }
        FutureBar bar(book.future(), book.currencies(), book.categories(), c.localeValues);
        if (horizon && !bar.setHorizon(*horizon)) {
            c.err << "The future list could not be built; nothing was changed.\n";
            return static_cast<int>(CliFailed);
        }
        const FileTime upTo = bar.horizon();
        const std::vector<FutureEntry> entries = book.future().entries();
        if (c.options.json) {
            QJsonArray list;
            for (const FutureEntry& e : entries)
                list.append(entryJson(e));
            CliValues::printJson(
                c.out, QJsonDocument(QJsonObject{{QStringLiteral("horizon"), CliValues::jsonDate(upTo)},
                                                 {QStringLiteral("entries"), list},
                                                 {QStringLiteral("prognosis"),
                                                  currency ? QJsonValue(bar.total(*currency).hundredths())
                                                           : QJsonValue(QJsonValue::Null)}}));
            return static_cast<int>(CliDone);
        }
        for (const FutureEntry& e : entries)
            c.out << dateWithWeekday(e.date, c.localeValues) << '\t' << e.description << '\t'
                  << book.currencies().amountText(e.amount, e.currency, c.localeValues) << '\n';
        if (currency)
            c.out << bar.label(*currency) << '\n';
        return static_cast<int>(CliDone);
    });
}

int showReminders(CliContext& c)
{
    if (!c.arguments.isEmpty())
        return AccountCommands::badUsage(c.err, QStringLiteral("reminders takes no arguments"));
    return MainProgramRun(c).run([&](MainBook& book) {
        MessageCapture capture(c.interaction);
        const FileTime now = fileTimeNow(c.clock).value_or(0);
        (void)book.future().showReminders(now, book.currencies(), c.localeValues, capture);
        const QString message = capture.messages.join(u'\n');
        if (c.options.json)
            CliValues::printJson(c.out, QJsonDocument(QJsonObject{{QStringLiteral("message"), message}}));
        else if (!message.isEmpty())
            c.out << message << (message.endsWith(u'\n') ? "" : "\n");
        return static_cast<int>(CliDone);
    });
}

int showPrognosis(CliContext& c)
{
    if (c.arguments.size() != 1)
        return AccountCommands::badUsage(c.err, QStringLiteral("expected ACCOUNT"));
    return MainProgramRun(c).run([&](MainBook& book) {
        const std::optional<QString> currency = accountCurrency(c, book, c.arguments[0]);
        if (!currency)
            return static_cast<int>(CliFailed);
        Prognosis prognosis(book.future(), book.currencies(), book.categories(), c.localeValues);
        const QStringList lines = prognosis.popup(book.future().horizon(), *currency, true).printed();
        if (c.options.json) {
            CliValues::printJson(c.out, QJsonDocument(QJsonObject{
                                            {QStringLiteral("lines"), QJsonArray::fromStringList(lines)}}));
            return static_cast<int>(CliDone);
        }
        for (const QString& line : lines)
            c.out << line << '\n';
        return static_cast<int>(CliDone);
    });
}

}  // namespace

void FutureCommands::addTo(CliCommandTable& table)
{
    table.add({QStringLiteral("future"), QStringLiteral("future [--horizon D] [--account ACCOUNT]"),
               QStringLiteral("sets the horizon, lists the future list, with an account its prognosis"),
               showFuture});
    table.add({QStringLiteral("reminders"), QStringLiteral("reminders"),
               QStringLiteral("shows and marks the due reminders"), showReminders});
    table.add({QStringLiteral("prognosis"), QStringLiteral("prognosis ACCOUNT"),
               QStringLiteral("the \"Balance of Planned Transactions\" lines"), showPrognosis});
}
