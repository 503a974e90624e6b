#include "shell/PlanningCommands.h"

#include "planning/PlannerActions.h"
#include "planning/PlannerEditor.h"
#include "planning/PlannerList.h"
#include "planning/RecurrenceRule.h"
#include "shell/AccountCommands.h"
#include "shell/CliArgs.h"
#include "shell/CliExit.h"
#include "shell/CliValues.h"
#include "shell/MainProgramRun.h"

#include <QJsonArray>
#include <QJsonObject>

namespace {

// What plan-add and plan-edit were told to change, read and checked before
// the book is opened; a field left out keeps its value.
struct PlanDraft {
    std::optional<Money> amount;
    std::optional<QString> description;
    std::optional<FileTime> start;
    std::optional<qint32> rule;
    std::optional<QString> entries;
    bool ongoing = false;
    std::optional<QString> reminderDays;
    std::optional<QString> category;
    std::optional<QString> project;
    std::optional<QString> contact;
    std::optional<QString> note;
    std::optional<QString> number;
    std::optional<ReconcileMark> mark;
};

const char* const OngoingFlag = "--ongoing";

// A rule by its code, or by its name in the "Repeat" list ignoring case,
// blanks, '-' and '_' ("monthly", "only-once", "Every two weeks").
std::optional<qint32> ruleByText(const QString& text)
{
    bool isNumber = false;
    const int code = text.toInt(&isNumber);
    if (isNumber)
        return RecurrenceRule::isKnown(code) ? std::optional<qint32>(code) : std::nullopt;
    const QStringList names = RecurrenceRule::names();
    for (int kind = 0; kind < names.size(); ++kind) {
        if (CliValues::folded(names[kind]) == CliValues::folded(text))
            return kind;
    }
    return std::nullopt;
}

bool isWholeNumber(const QString& text)
{
    bool ok = false;
    (void)text.toInt(&ok);
    return ok;
}

const QStringList& planOptions()
{
    static const QStringList options = {
        QStringLiteral("amount"),   QStringLiteral("desc"),    QStringLiteral("start"),
        QStringLiteral("rule"),     QStringLiteral("entries"), QStringLiteral("reminder-days"),
        QStringLiteral("category"), QStringLiteral("project"), QStringLiteral("contact"),
        QStringLiteral("note"),     QStringLiteral("number"),  QStringLiteral("mark")};
    return options;
}

// Reads the options into `draft`; the positional arguments are returned.
std::optional<QStringList> readDraft(const QStringList& arguments, PlanDraft& draft, QString* error)
{
    QStringList rest = arguments;
    draft.ongoing = rest.removeAll(QString::fromLatin1(OngoingFlag)) > 0;
    const std::optional<CliArgs> args = CliArgs::parse(rest, planOptions(), error);
    if (!args)
        return std::nullopt;
    const auto text = [&](const char* name) -> std::optional<QString> {
        const QString option = QString::fromLatin1(name);
        return args->has(option) ? std::optional<QString>(args->value(option)) : std::nullopt;
    };
    const auto fail = [&](const QString& message) {
        *error = message;
        return std::nullopt;
    };
    if (const auto amount = text("amount")) {
        draft.amount = CliValues::amount(*amount);
        if (!draft.amount)
            return fail(QStringLiteral("malformed amount %1").arg(*amount));
    }
    if (const auto start = text("start")) {
        draft.start = CliValues::day(*start);
        if (!draft.start)
            return fail(QStringLiteral("malformed date %1").arg(*start));
    }
    if (const auto rule = text("rule")) {
        draft.rule = ruleByText(*rule);
        if (!draft.rule)
            return fail(QStringLiteral("unknown rule %1").arg(*rule));
    }
    draft.entries = text("entries");
    if (draft.entries && (draft.ongoing || !isWholeNumber(*draft.entries)))
        return fail(draft.ongoing ? QStringLiteral("--entries and --ongoing exclude each other")
                                  : QStringLiteral("malformed number of entries %1").arg(*draft.entries));
    draft.reminderDays = text("reminder-days");
    if (draft.reminderDays && !isWholeNumber(*draft.reminderDays))
        return fail(QStringLiteral("malformed number of days %1").arg(*draft.reminderDays));
    if (const auto mark = text("mark")) {
        bool ok = false;
        const int value = mark->toInt(&ok);
        if (!ok || value < 0 || value > 2)
            return fail(QStringLiteral("malformed mark %1").arg(*mark));
        draft.mark = static_cast<ReconcileMark>(value);
    }
    draft.description = text("desc");
    draft.category = text("category");
    draft.project = text("project");
    draft.contact = text("contact");
    draft.note = text("note");
    draft.number = text("number");
    return args->positional;
}

// The command line answers the editor's questions: a category or project that
// does not exist is made only with --yes. Asked before the save, so a No
// writes nothing at all.
bool missingNamesAllowed(CliContext& c, MainBook& book, const PlanDraft& draft)
{
    if (c.options.yes)
        return true;
    if (draft.category && !draft.category->isEmpty() && !draft.category->startsWith(u'[') &&
        book.categories().findByPath(*draft.category) == 0) {
        (void)c.interaction.askYesNo(Categories::missingQuestion(*draft.category));
        return false;
    }
    if (draft.project && !draft.project->isEmpty() && book.projects().findByPath(*draft.project) == 0) {
        (void)c.interaction.askYesNo(Projects::missingQuestion(*draft.project));
        return false;
    }
    return true;
}

void noteCorrection(CliContext& c, const char* what, const CorrectedCount& count)
{
    if (count.corrected)
        c.err << what << " corrected to " << count.value << '\n';
}

void apply(CliContext& c, PlannerEditor& editor, const PlanDraft& draft)
{
    if (draft.description)
        editor.setDescription(*draft.description);
    if (draft.amount)
        editor.setAmount(*draft.amount);
    if (draft.start)
        editor.setStartDate(*draft.start);
    if (draft.rule)
        editor.setRule(*draft.rule);
    if (draft.entries)
        noteCorrection(c, "number of entries", editor.setEntriesText(*draft.entries));
    if (draft.ongoing)
        editor.setOngoing();
    if (draft.reminderDays)
        noteCorrection(c, "reminder days", editor.setReminderDaysText(*draft.reminderDays));
    if (draft.category)
        editor.setCategoryText(*draft.category);
    if (draft.project)
        editor.setProjectText(*draft.project);
    if (draft.contact)
        editor.setContact(*draft.contact);
    if (draft.note)
        editor.setNote(*draft.note);
    if (draft.number)
        editor.setNumber(*draft.number);
    if (draft.mark)
        editor.setMark(*draft.mark);
}

PlannerEditorContext editorContext(CliContext& c, MainBook& book)
{
    return PlannerEditorContext{book.tables(), book.currencies(), book.categories(), book.projects(),
                                book.future(), c.clock,           c.localeValues,    c.interaction};
}

int reportSave(CliContext& c, PlannerEditor::SaveResult result, qint32 id)
{
    switch (result) {
    case PlannerEditor::SaveResult::Saved:
        if (c.options.json)
            CliValues::printJson(c.out, QJsonDocument(QJsonObject{{QStringLiteral("id"), id}}));
        else
            c.out << id << '\n';
        return CliDone;
    case PlannerEditor::SaveResult::Unchanged:
        c.err << "Nothing to change.\n";
        return CliDone;
    case PlannerEditor::SaveResult::Refused:
        c.err << "The plan was not saved.\n";
        break;
    case PlannerEditor::SaveResult::Failed:
        c.err << "The plan could not be written; nothing was changed.\n";
        break;
    }
    return CliFailed;
}

std::optional<qint32> planId(const QString& text)
{
    bool ok = false;
    const qint32 id = text.toInt(&ok);
    return ok && id > 0 ? std::optional<qint32>(id) : std::nullopt;
}

int addPlan(CliContext& c)
{
    PlanDraft draft;
    QString error;
    const std::optional<QStringList> positional = readDraft(c.arguments, draft, &error);
    if (!positional)
        return AccountCommands::badUsage(c.err, error);
    if (positional->size() != 2 || draft.amount)
        return AccountCommands::badUsage(c.err,
                                         QStringLiteral("expected AMOUNT CURRENCY --desc T [options]"));
    draft.amount = CliValues::amount((*positional)[0]);
    if (!draft.amount)
        return AccountCommands::badUsage(c.err, QStringLiteral("malformed amount %1").arg((*positional)[0]));
    if (!draft.description)
        return AccountCommands::badUsage(c.err, QStringLiteral("plan-add needs --desc"));
    const QString currency = (*positional)[1].trimmed().toUpper();
    return MainProgramRun(c).run([&](MainBook& book) {
        PlannerEditor editor(editorContext(c, book));
        editor.loadNew(book.state().defaultCurrency);
        if (!editor.setCurrency(currency)) {
            c.err << "The book has no currency " << currency << ".\n";
            return static_cast<int>(CliFailed);
        }
        if (!missingNamesAllowed(c, book, draft))
            return static_cast<int>(CliFailed);
        apply(c, editor, draft);
        const PlannerEditor::SaveResult result = editor.save().outcome;
        return reportSave(c, result, editor.plannerId());
    });
}

int editPlan(CliContext& c)
{
    PlanDraft draft;
    QString error;
    const std::optional<QStringList> positional = readDraft(c.arguments, draft, &error);
    if (!positional)
        return AccountCommands::badUsage(c.err, error);
    if (positional->isEmpty() || positional->size() > 2)
        return AccountCommands::badUsage(c.err, QStringLiteral("expected ID [AMOUNT] [options]"));
    const std::optional<qint32> id = planId((*positional)[0]);
    if (!id)
        return AccountCommands::badUsage(c.err, QStringLiteral("malformed plan id %1").arg((*positional)[0]));
    if (positional->size() == 2) {
        draft.amount = CliValues::amount((*positional)[1]);
        if (!draft.amount)
            return AccountCommands::badUsage(c.err,
                                             QStringLiteral("malformed amount %1").arg((*positional)[1]));
    }
    return MainProgramRun(c).run([&](MainBook& book) {
        PlannerEditor editor(editorContext(c, book));
        if (!editor.load(*id)) {
            c.err << "no plan " << *id << '\n';
            return static_cast<int>(CliFailed);
        }
        if (!missingNamesAllowed(c, book, draft))
            return static_cast<int>(CliFailed);
        apply(c, editor, draft);
        const PlannerEditor::SaveResult result = editor.save().outcome;
        return reportSave(c, result, *id);
    });
}

// plan-stop and plan-activate: the icon tap, only when the plan is not in the
// asked state already.
int setStopped(CliContext& c, bool stop)
{
    const std::optional<qint32> id = c.arguments.size() == 1 ? planId(c.arguments[0]) : std::nullopt;
    if (!id)
        return AccountCommands::badUsage(c.err, QStringLiteral("expected ID"));
    return MainProgramRun(c).run([&](MainBook& book) {
        PlannerList list(book.tables(), book.currencies(), c.localeValues);
        const std::optional<qint64> row = list.reload() ? list.rowOf(*id) : std::nullopt;
        if (!row) {
            c.err << "no plan " << *id << '\n';
            return static_cast<int>(CliFailed);
        }
        if (list.entry(*row)->stopped == stop)
            return static_cast<int>(CliDone);
        PlannerActions actions(book.tables(), book.future(), c.clock, c.interaction);
        const std::optional<bool> stopped = actions.toggleStopped(*id);
        if (!stopped) {
            c.err << "The plan could not be changed; nothing was changed.\n";
            return static_cast<int>(CliFailed);
        }
        if (*stopped != stop)
            c.err << "All entries of plan " << *id << " are completed; it stays finished.\n";
        return static_cast<int>(CliDone);
    });
}

int stopPlan(CliContext& c)
{
    return setStopped(c, true);
}

int activatePlan(CliContext& c)
{
    return setStopped(c, false);
}

int deletePlan(CliContext& c)
{
    const std::optional<qint32> id = c.arguments.size() == 1 ? planId(c.arguments[0]) : std::nullopt;
    if (!id)
        return AccountCommands::badUsage(c.err, QStringLiteral("expected ID"));
    return MainProgramRun(c).run([&](MainBook& book) {
        PlannerActions actions(book.tables(), book.future(), c.clock, c.interaction);
        switch (actions.remove(*id)) {
        case PlannerActions::DeleteOutcome::Deleted:
            return static_cast<int>(CliDone);
        case PlannerActions::DeleteOutcome::Missing:
            c.err << "no plan " << *id << '\n';
            break;
        case PlannerActions::DeleteOutcome::Failed:
            c.err << "The plan could not be deleted; nothing was changed.\n";
            break;
        case PlannerActions::DeleteOutcome::Declined:
            break;
        }
        return static_cast<int>(CliFailed);
    });
}

QString entriesText(qint32 entries)
{
    return entries == RecurrenceRule::Ongoing ? QStringLiteral("ongoing") : QString::number(entries);
}

int listPlans(CliContext& c)
{
    if (!c.arguments.isEmpty())
        return AccountCommands::badUsage(c.err, QStringLiteral("plans takes no arguments"));
    return MainProgramRun(c).run([&](MainBook& book) {
        PlannerList list(book.tables(), book.currencies(), c.localeValues);
        if (!list.reload()) {
            c.err << "The plans could not be read.\n";
            return static_cast<int>(CliFailed);
        }
        QJsonArray rows;
        for (qint64 row = 0; row < list.newRow(); ++row) {
            const PlannerEntry e = *list.entry(row);
            if (c.options.json) {
                rows.append(QJsonObject{{QStringLiteral("id"), e.id},
                                        {QStringLiteral("description"), e.description},
                                        {QStringLiteral("amount"), e.amount.hundredths()},
                                        {QStringLiteral("currency"), e.currency},
                                        {QStringLiteral("rule"), e.rule},
                                        {QStringLiteral("entries"), e.entries},
                                        {QStringLiteral("completed"), e.completed},
                                        {QStringLiteral("next"), CliValues::jsonDate(e.nextDate)},
                                        {QStringLiteral("stopped"), e.stopped}});
                continue;
            }
            const PlannerCells cells = list.cells(row, 0);
            c.out << e.id << '\t' << cells.starts << '\t' << cells.description << '\t' << cells.amount << '\t'
                  << RecurrenceRule::name(e.rule) << '\t' << entriesText(e.entries) << '\t'
                  << (e.stopped ? "stopped" : "") << '\n';
        }
        if (c.options.json)
            CliValues::printJson(c.out, QJsonDocument(rows));
        return static_cast<int>(CliDone);
    });
}

}  // namespace

void PlanningCommands::addTo(CliCommandTable& table)
{
    table.add({QStringLiteral("plans"), QStringLiteral("plans"),
               QStringLiteral("the Time-Table entries: id, next date, description, amount, rule, entries"),
               listPlans});
    table.add({QStringLiteral("plan-add"),
               QStringLiteral("plan-add AMOUNT CURRENCY --desc T [--start D] [--rule CODE|NAME] "
                              "[--entries N|--ongoing] [--reminder-days N] [--category PATH|[ACCOUNT]] "
                              "[--project PATH] [--contact T] [--note T] [--number T] [--mark 0|1|2]"),
               QStringLiteral("a new Time-Table entry (missing categories and projects need --yes)"),
               addPlan});
    table.add({QStringLiteral("plan-edit"),
               QStringLiteral("plan-edit ID [AMOUNT] [--amount A] [same options]"),
               QStringLiteral("changes a Time-Table entry, re-based on its next open date"), editPlan});
    table.add({QStringLiteral("plan-stop"), QStringLiteral("plan-stop ID"),
               QStringLiteral("stops a Time-Table entry"), stopPlan});
    table.add({QStringLiteral("plan-activate"), QStringLiteral("plan-activate ID"),
               QStringLiteral("activates a stopped Time-Table entry"), activatePlan});
    table.add({QStringLiteral("plan-delete"), QStringLiteral("plan-delete ID"),
               QStringLiteral("deletes a Time-Table entry, detaching its transactions (needs --yes)"),
               deletePlan});
}
