#include "shell/TransactionCommands.h"

#include "accounts/Register.h"
#include "accounts/TransactionEditor.h"
#include "platform/ForwardingInteraction.h"
#include "platform/StoreTransaction.h"
#include "reference/RateText.h"
#include "shell/AccountCommands.h"
#include "shell/CliArgs.h"
#include "shell/CliConversion.h"
#include "shell/CliExit.h"
#include "shell/CliValues.h"
#include "shell/MainProgramRun.h"
#include "shell/ShownAccount.h"
#include "store/NumberParse.h"

#include <QJsonObject>

namespace {

const QString DateOption = QStringLiteral("date");
const QString AmountOption = QStringLiteral("amount");
const QString MarkOption = QStringLiteral("mark");
const QString RateOption = QStringLiteral("rate");
const QString CounterOption = QStringLiteral("counter-amount");

// The options that set one field of the editor each, by their field's setter.
const QList<std::pair<QString, void (TransactionEditor::*)(const QString&)>> TextOptions = {
    {QStringLiteral("desc"), &TransactionEditor::setDescription},
    {QStringLiteral("category"), &TransactionEditor::setCategoryText},
    {QStringLiteral("project"), &TransactionEditor::setProjectText},
    {QStringLiteral("contact"), &TransactionEditor::setContact},
    {QStringLiteral("note"), &TransactionEditor::setNote},
    {QStringLiteral("number"), &TransactionEditor::setNumber},
};

QStringList editOptions(bool withAmount)
{
    QStringList options{DateOption, MarkOption, RateOption, CounterOption};
    for (const auto& [name, setter] : TextOptions)
        options << name;
    if (withAmount)
        options << AmountOption;
    return options;
}

// The run's interaction, remembering whether a question was answered No: the
// command line has nobody to ask, so a needed Yes that was not given makes the
// whole command fail and write nothing, even where the editor would go on
// without (a category left out).
class DeclineWatch : public ForwardingInteraction {
public:
    using ForwardingInteraction::ForwardingInteraction;

    bool declined() const { return m_declined; }

    bool askYesNo(const QString& text, const QString& title = {}) override
    {
        const bool yes = ForwardingInteraction::askYesNo(text, title);
        m_declined = m_declined || !yes;
        return yes;
    }

private:
    bool m_declined = false;
};

bool hasDigit(const QString& text)
{
    return std::any_of(text.begin(), text.end(), [](QChar ch) { return ch.isDigit(); });
}

// A command's arguments with every value checked before the book is opened.
struct Request {
    CliArgs args;
    qint64 row = -1;
    std::optional<FileTime> day;
    std::optional<ReconcileMark> mark;
};

// Parses ACCOUNT and one more argument (a row when `withRow`, else an
// amount) and the options; nullopt after a usage message, `status` saying so.
std::optional<Request> readRequest(CliContext& c, const QStringList& options, const QString& usage,
                                   bool withRow, int& status)
{
    status = CliBadUsage;
    QString error;
    std::optional<CliArgs> args = CliArgs::parse(c.arguments, options, &error);
    if (!args) {
        AccountCommands::badUsage(c.err, error);
        return std::nullopt;
    }
    Request r{*args, -1, std::nullopt, std::nullopt};
    const QStringList& p = r.args.positional;
    if (p.size() != 2) {
        AccountCommands::badUsage(c.err, QStringLiteral("expected %1").arg(usage));
        return std::nullopt;
    }
    if (withRow) {
        const std::optional<qint64> row = CliValues::row(p[1]);
        if (!row) {
            AccountCommands::badUsage(c.err, QStringLiteral("malformed row %1").arg(p[1]));
            return std::nullopt;
        }
        r.row = *row;
    } else if (!hasDigit(p[1])) {
        AccountCommands::badUsage(c.err, QStringLiteral("malformed amount %1").arg(p[1]));
        return std::nullopt;
    }
    if (r.args.has(AmountOption) && !hasDigit(r.args.value(AmountOption))) {
        AccountCommands::badUsage(c.err,
                                  QStringLiteral("malformed amount %1").arg(r.args.value(AmountOption)));
        return std::nullopt;
    }
    if (r.args.has(DateOption)) {
        r.day = CliValues::day(r.args.value(DateOption));
        if (!r.day) {
            AccountCommands::badUsage(c.err,
                                      QStringLiteral("malformed date %1").arg(r.args.value(DateOption)));
            return std::nullopt;
        }
    }
    // A rate that is no positive number would convert to nothing or flip the
    // sign: refused before the book is opened.
    if (r.args.has(RateOption) && !isUsableRate(parseLenientNumber(r.args.value(RateOption)))) {
        c.err << "The rate " << r.args.value(RateOption) << " is not a positive number; nothing was saved.\n";
        status = CliFailed;
        return std::nullopt;
    }
    if (r.args.has(MarkOption)) {
        const QString mark = r.args.value(MarkOption);
        if (mark != u"0" && mark != u"1" && mark != u"2") {
            AccountCommands::badUsage(c.err, QStringLiteral("malformed mark %1 (0, 1 or 2)").arg(mark));
            return std::nullopt;
        }
        r.mark = static_cast<ReconcileMark>(mark.toInt());
    }
    status = CliDone;
    return r;
}

// The amount typed on the command line is signed; the editor's field takes
// the magnitude and a leading "-" turns Deposit into Payment.
void setAmount(TransactionEditor& editor, const QString& amount)
{
    editor.setPayment(false);
    editor.setAmountText(amount.trimmed());
}

void setFields(TransactionEditor& editor, const Request& r)
{
    for (const auto& [name, setter] : TextOptions) {
        if (r.args.has(name))
            (editor.*setter)(r.args.value(name));
    }
    if (r.day)
        editor.setDate(*r.day);
    if (r.mark)
        editor.setMark(*r.mark);
    if (r.args.has(AmountOption))
        setAmount(editor, r.args.value(AmountOption));
}

std::optional<QString> optionValue(const CliArgs& args, const QString& name)
{
    return args.has(name) ? std::optional<QString>(args.value(name)) : std::nullopt;
}

int printRow(CliContext& c, const TransactionEditor& editor)
{
    if (c.options.json)
        CliValues::printJson(c.out, QJsonDocument(QJsonObject{{QStringLiteral("row"), editor.row()},
                                                              {QStringLiteral("key"), editor.key()}}));
    else
        c.out << editor.row() << '\n';
    return CliDone;
}

int failed(CliContext& c, const char* message)
{
    c.err << message << '\n';
    return CliFailed;
}

using Body = std::function<int(Register&, TransactionEditor&)>;

enum class Print { Nothing, Row };

// Start-up, the named account in the register (remembered as the last one
// shown), an editor over it, then `body` inside one store transaction that is
// rolled back when the body fails or a question went unanswered. The row the
// editor holds at the end is printed only once the book has it.
int withEditor(CliContext& c, const Request& r, Print print, const Body& body)
{
    CliConversion conversion(optionValue(r.args, RateOption), optionValue(r.args, CounterOption));
    return MainProgramRun(c).run([&](MainBook& book) {
        const std::optional<qint32> id = AccountCommands::resolve(book, r.args.positional[0], c.err);
        if (!id)
            return static_cast<int>(CliFailed);
        Register reg(book.tables(), book.currencies(), c.localeValues, book.future());
        if (!ShownAccount::show(book, reg, *id))
            return static_cast<int>(CliFailed);
        DeclineWatch ui(c.interaction);
        TransactionEditor editor(EditorContext{book.tables(), book.currencies(), book.categories(),
                                               book.projects(), book.totals(), book.future(), c.clock,
                                               c.localeValues, ui, conversion},
                                 reg);
        StoreTransaction transaction(*book.store());
        if (!transaction.isOpen())
            return failed(c, "The book could not be written.");
        const int status = body(reg, editor);
        if (status != CliDone || ui.declined()) {
            transaction.rollback();
            return static_cast<int>(CliFailed);
        }
        if (!transaction.commit())
            return failed(c, "The book could not be written.");
        return print == Print::Row ? printRow(c, editor) : status;
    });
}

// Loads `row` and checks that it is of the kind the command works on.
bool loadRow(CliContext& c, Register& reg, TransactionEditor& editor, qint64 row,
             TransactionEditor::Mode mode)
{
    if (editor.load(row) && editor.mode() == mode)
        return true;
    const char* kind = mode == TransactionEditor::Mode::Future ? "future-list" : "transaction";
    c.err << "row " << row << " is no " << kind << " row in the register of " << reg.accountName() << '\n';
    return false;
}

int addTransaction(CliContext& c)
{
    int status = CliDone;
    const std::optional<Request> r =
        readRequest(c, editOptions(false), QStringLiteral("ACCOUNT AMOUNT"), false, status);
    if (!r)
        return status;
    return withEditor(c, *r, Print::Row, [&](Register& reg, TransactionEditor& editor) {
        if (!editor.load(reg.transactionCount()))
            return failed(c, "The new-transaction row could not be loaded.");
        setAmount(editor, r->args.positional[1]);
        setFields(editor, *r);
        return editor.save(false) ? static_cast<int>(CliDone) : failed(c, "The transaction was not saved.");
    });
}

int editTransaction(CliContext& c)
{
    int status = CliDone;
    const std::optional<Request> r =
        readRequest(c, editOptions(true), QStringLiteral("ACCOUNT ROW"), true, status);
    if (!r)
        return status;
    return withEditor(c, *r, Print::Row, [&](Register& reg, TransactionEditor& editor) {
        if (!loadRow(c, reg, editor, r->row, TransactionEditor::Mode::Existing))
            return static_cast<int>(CliFailed);
        setFields(editor, *r);
        // Nothing given is nothing to change.
        if (!editor.anyChanged() || editor.save(false))
            return static_cast<int>(CliDone);
        // Every field given already held that value.
        if (editor.foundNothingToSave()) {
            c.err << "Nothing was changed: the transaction already holds these values.\n";
            return static_cast<int>(CliDone);
        }
        return failed(c, "The transaction was not saved.");
    });
}

int deleteTransaction(CliContext& c)
{
    int status = CliDone;
    const std::optional<Request> r = readRequest(c, {}, QStringLiteral("ACCOUNT ROW"), true, status);
    if (!r)
        return status;
    return withEditor(c, *r, Print::Nothing, [&](Register& reg, TransactionEditor& editor) {
        if (!loadRow(c, reg, editor, r->row, TransactionEditor::Mode::Existing))
            return static_cast<int>(CliFailed);
        return editor.deleteRow() ? static_cast<int>(CliDone) : failed(c, "The transaction was not deleted.");
    });
}

int postOccurrence(CliContext& c)
{
    int status = CliDone;
    const QStringList options{AmountOption, DateOption, RateOption, CounterOption};
    const std::optional<Request> r = readRequest(c, options, QStringLiteral("ACCOUNT ROW"), true, status);
    if (!r)
        return status;
    return withEditor(c, *r, Print::Row, [&](Register& reg, TransactionEditor& editor) {
        if (!loadRow(c, reg, editor, r->row, TransactionEditor::Mode::Future))
            return static_cast<int>(CliFailed);
        setFields(editor, *r);
        return editor.save(false) ? static_cast<int>(CliDone) : failed(c, "The occurrence was not posted.");
    });
}

int dismissOccurrence(CliContext& c)
{
    int status = CliDone;
    const std::optional<Request> r = readRequest(c, {}, QStringLiteral("ACCOUNT ROW"), true, status);
    if (!r)
        return status;
    return withEditor(c, *r, Print::Nothing, [&](Register& reg, TransactionEditor& editor) {
        if (!loadRow(c, reg, editor, r->row, TransactionEditor::Mode::Future))
            return static_cast<int>(CliFailed);
        return editor.deleteRow() ? static_cast<int>(CliDone)
                                  : failed(c, "The occurrence was not dismissed.");
    });
}

}  // namespace

void TransactionCommands::addTo(CliCommandTable& table)
{
    table.add({QStringLiteral("add"),
               QStringLiteral(
                   "add ACCOUNT AMOUNT [--date D] [--desc T] [--category PATH|[ACCOUNT]] [--project PATH] "
                   "[--contact T] [--note T] [--number T] [--mark 0|1|2] [--rate R | --counter-amount A]"),
               QStringLiteral("a new transaction (negative amount = payment); prints its row"),
               addTransaction});
    table.add({QStringLiteral("edit"), QStringLiteral("edit ACCOUNT ROW [--amount A] [options of add]"),
               QStringLiteral("changes the given fields of a transaction; prints its row"), editTransaction});
    table.add({QStringLiteral("delete"), QStringLiteral("delete ACCOUNT ROW"),
               QStringLiteral("deletes a transaction (needs --yes)"), deleteTransaction});
    table.add(
        {QStringLiteral("post"),
         QStringLiteral("post ACCOUNT ROW [--amount A] [--date D] [--rate R | --counter-amount A]"),
         QStringLiteral(
             "posts a future-list row, partly when the amount is smaller (needs --yes); prints its row"),
         postOccurrence});
    table.add({QStringLiteral("dismiss"), QStringLiteral("dismiss ACCOUNT ROW"),
               QStringLiteral("deletes a future-list row (needs --yes)"), dismissOccurrence});
}
