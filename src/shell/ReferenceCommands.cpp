#include "shell/ReferenceCommands.h"

#include "reference/TreePaste.h"
#include "shell/CliArgs.h"
#include "shell/CliExit.h"
#include "shell/CliValues.h"
#include "shell/CurrencyChange.h"
#include "shell/MainProgramRun.h"
#include "store/NumberParse.h"

#include <QJsonArray>
#include <QJsonObject>

#include <cmath>

namespace {

int badUsage(CliContext& c, const char* expected)
{
    c.err << "tallyra-cli: expected " << expected << '\n';
    return CliBadUsage;
}

int failed(CliContext& c, const QString& message)
{
    c.err << message << '\n';
    return CliFailed;
}

std::optional<qint32> treeId(const QString& text)
{
    bool ok = false;
    const qint32 id = text.toInt(&ok);
    return ok ? std::optional<qint32>(id) : std::nullopt;
}

// --- currencies ----------------------------------------------------------------

QString rateNumber(double rate)
{
    return QString::number(rate, 'f', 5);
}

int listCurrencies(CliContext& c)
{
    if (!c.arguments.isEmpty())
        return badUsage(c, "no arguments");
    return MainProgramRun(c).run([&](MainBook& book) {
        const CurrencyCache& cache = book.currencies();
        const int n = cache.size();
        if (c.options.json) {
            QJsonArray currencies, rates;
            for (int i = 0; i < n; ++i) {
                const CachedCurrency& e = cache.entries()[static_cast<size_t>(i)];
                currencies.append(QJsonObject{{QStringLiteral("number"), e.number},
                                              {QStringLiteral("code"), e.code},
                                              {QStringLiteral("symbol"), e.symbol},
                                              {QStringLiteral("name"), e.name}});
                QJsonArray row;
                for (int j = 0; j < n; ++j)
                    row.append(cache.rateAt(i, j));
                rates.append(row);
            }
            CliValues::printJson(
                c.out, QJsonDocument(QJsonObject{{QStringLiteral("default"), book.state().defaultCurrency},
                                                 {QStringLiteral("currencies"), currencies},
                                                 {QStringLiteral("rates"), rates}}));
            return static_cast<int>(CliDone);
        }
        for (int i = 0; i < n; ++i) {
            const CachedCurrency& e = cache.entries()[static_cast<size_t>(i)];
            c.out << e.number << '\t' << e.code << '\t' << e.symbol << '\t' << e.name << '\n';
        }
        for (int i = 0; i < n; ++i) {
            QStringList row;
            for (int j = 0; j < n; ++j)
                row << rateNumber(cache.rateAt(i, j));
            c.out << cache.entries()[static_cast<size_t>(i)].code << '\t' << row.join(QLatin1Char('\t'))
                  << '\n';
        }
        c.out << "Default: " << book.state().defaultCurrency << '\n';
        return static_cast<int>(CliDone);
    });
}

// The CLI's words for what a currency change ran into.
int reportChange(CliContext& c, CurrencyChange::Outcome outcome, const QString& code)
{
    switch (outcome) {
    case CurrencyChange::Outcome::Done:
        return static_cast<int>(CliDone);
    case CurrencyChange::Outcome::NotInBook:
        return failed(c, code.isEmpty() ? QStringLiteral("Both currencies must be in use in the book.")
                                        : QStringLiteral("%1 is not a currency of the book.").arg(code));
    case CurrencyChange::Outcome::SameCurrency:
        return failed(c, QStringLiteral("A currency's rate to itself is always 1."));
    case CurrencyChange::Outcome::BadRate:
        return failed(c, QStringLiteral("The rate must be a number above 0."));
    case CurrencyChange::Outcome::SettingsNotWritten:
        return failed(c, QStringLiteral("The settings could not be written."));
    case CurrencyChange::Outcome::TotalsNotUpdated:
        break;
    }
    return failed(c, QStringLiteral("The project totals could not be brought up to date."));
}

int setRate(CliContext& c)
{
    if (c.arguments.size() != 3)
        return badUsage(c, "FROM TO RATE");
    const QString from = c.arguments[0].toUpper();
    const QString to = c.arguments[1].toUpper();
    const double rate = parseLenientNumber(c.arguments[2]);
    return MainProgramRun(c).run([&](MainBook& book) {
        return reportChange(c, CurrencyChange::setRate(book, from, to, rate), QString());
    });
}

int setDefaultCurrency(CliContext& c)
{
    if (c.arguments.size() != 1)
        return badUsage(c, "CODE");
    const QString code = c.arguments[0].toUpper();
    return MainProgramRun(c).run(
        [&](MainBook& book) { return reportChange(c, CurrencyChange::setDefault(book, code), code); });
}

int setSymbol(CliContext& c)
{
    if (c.arguments.size() != 2)
        return badUsage(c, "CODE TEXT");
    const QString code = c.arguments[0].toUpper();
    return MainProgramRun(c).run([&](MainBook& book) {
        if (!book.currencies().contains(code))
            return failed(c, QStringLiteral("%1 is not a currency of the book.").arg(code));
        if (!book.currencies().setSymbol(code, c.arguments[1]))
            return failed(c, QStringLiteral("The symbol could not be written."));
        return static_cast<int>(CliDone);
    });
}

// --- trees ------------------------------------------------------------------------

enum class Tree { Categories, Projects };

TreeTable& treeOf(MainBook& book, Tree tree)
{
    return tree == Tree::Categories ? book.categories().tree() : book.projects().tree();
}

int listTree(CliContext& c, Tree tree)
{
    if (!c.arguments.isEmpty())
        return badUsage(c, "no arguments");
    return MainProgramRun(c).run([&](MainBook& book) {
        // As showing the project page does: the stale totals are brought up to date first.
        if (tree == Tree::Projects && !book.totals().updateStale(book.state().defaultCurrency, nullptr))
            return failed(c, QStringLiteral("The project totals could not be updated."));
        TreeTable& t = treeOf(book, tree);
        QJsonArray list;
        for (const TreeRecord& r : t.records()) {
            const QString path = t.pathOf(r.id);
            QJsonObject item{{QStringLiteral("id"), r.id},
                             {QStringLiteral("parent"), r.parent},
                             {QStringLiteral("name"), r.name},
                             {QStringLiteral("path"), path}};
            QString totals;
            if (tree == Tree::Projects) {
                const ProjectTotalsRecord p = book.totals().totalsOf(r.id).value_or(ProjectTotalsRecord());
                item.insert(QStringLiteral("own_deposits"), p.ownDeposits.hundredths());
                item.insert(QStringLiteral("own_payments"), p.ownPayments.hundredths());
                item.insert(QStringLiteral("subtree_deposits"), p.treeDeposits.hundredths());
                item.insert(QStringLiteral("subtree_payments"), p.treePayments.hundredths());
                item.insert(QStringLiteral("valid"), p.valid);
                totals = QLatin1Char('\t') + moneyText(p.netTotal(), c.localeValues);
            }
            if (c.options.json)
                list.append(item);
            else
                c.out << r.id << '\t' << r.parent << '\t' << path << totals << '\n';
        }
        if (c.options.json)
            CliValues::printJson(c.out, QJsonDocument(list));
        return static_cast<int>(CliDone);
    });
}

int addToTree(CliContext& c, Tree tree)
{
    if (c.arguments.size() != 1 || c.arguments[0].isEmpty())
        return badUsage(c, "PATH");
    const QString path = c.arguments[0];
    return MainProgramRun(c).run([&](MainBook& book) {
        TreeTable& t = treeOf(book, tree);
        if (t.findByPath(path) != 0)
            return failed(c, QStringLiteral("%1 exists already.").arg(path));
        const qint32 id = t.createByPath(path);
        if (id == 0)
            return failed(c, QStringLiteral("%1 could not be created.").arg(path));
        if (c.options.json)
            CliValues::printJson(c.out, QJsonDocument(QJsonObject{{QStringLiteral("id"), id}}));
        else
            c.out << id << '\n';
        return static_cast<int>(CliDone);
    });
}

int pasteInTree(CliContext& c, Tree tree, TreeClipboard::Mode mode)
{
    if (c.arguments.size() != 2)
        return badUsage(c, "ID PARENT");
    const std::optional<qint32> id = treeId(c.arguments[0]);
    const std::optional<qint32> parent = treeId(c.arguments[1]);
    if (!id || !parent)
        return badUsage(c, "ID PARENT as numbers");
    return MainProgramRun(c).run([&](MainBook& book) {
        TreeClipboard clipboard;
        if (mode == TreeClipboard::Mode::Move)
            clipboard.cut(*id);
        else
            clipboard.copy(*id);
        const TreePasteTotals totals = tree == Tree::Projects
                                           ? TreePasteTotals{&book.totals(), book.state().defaultCurrency}
                                           : TreePasteTotals{};
        const TreePasteResult result = pasteInTree(clipboard, treeOf(book, tree), *parent, totals);
        switch (result.outcome) {
        case TreeClipboard::Outcome::Moved:
            if (!result.totalsUpdated)
                return failed(c, QStringLiteral("The project totals could not be updated."));
            return static_cast<int>(CliDone);
        case TreeClipboard::Outcome::Copied:
            return static_cast<int>(CliDone);
        case TreeClipboard::Outcome::Nothing:
            return failed(c, QStringLiteral("Nothing was pasted: the item can not go there."));
        case TreeClipboard::Outcome::Failed:
            break;
        }
        return failed(c, QStringLiteral("The change could not be written."));
    });
}

int deleteFromTree(CliContext& c, Tree tree)
{
    if (c.arguments.size() != 1)
        return badUsage(c, "ID");
    const std::optional<qint32> id = treeId(c.arguments[0]);
    if (!id)
        return badUsage(c, "ID as a number");
    return MainProgramRun(c).run([&](MainBook& book) {
        const TreeTable::DeleteOutcome outcome = tree == Tree::Categories
                                                     ? book.categories().remove(*id, c.interaction)
                                                     : book.projects().remove(*id, c.interaction);
        switch (outcome) {
        case TreeTable::DeleteOutcome::Deleted:
            return static_cast<int>(CliDone);
        case TreeTable::DeleteOutcome::Refused:
            return failed(c, QStringLiteral("This item can not be deleted."));
        case TreeTable::DeleteOutcome::Declined:
            return static_cast<int>(CliFailed);
        case TreeTable::DeleteOutcome::Failed:
            break;
        }
        return failed(c, QStringLiteral("The item could not be deleted."));
    });
}

CliCommand command(const char* name, const char* usage, const char* summary,
                   std::function<int(CliContext&)> run)
{
    return CliCommand{QString::fromLatin1(name), QString::fromLatin1(usage), QString::fromLatin1(summary),
                      std::move(run)};
}

}  // namespace

namespace ReferenceCommands {

void addTo(CliCommandTable& table)
{
    using M = TreeClipboard::Mode;
    table.add(
        command("currencies", "currencies", "the book's currencies, symbols and rates", listCurrencies));
    table.add(command("rate", "rate FROM TO RATE", "stores how many TO one FROM buys", setRate));
    table.add(command("default-currency", "default-currency CODE", "sets the default currency",
                      setDefaultCurrency));
    table.add(command("symbol", "symbol CODE TEXT", "sets a currency's symbol", setSymbol));
    table.add(command("categories", "categories", "the category tree",
                      [](CliContext& c) { return listTree(c, Tree::Categories); }));
    table.add(command("projects", "projects", "the project tree",
                      [](CliContext& c) { return listTree(c, Tree::Projects); }));
    table.add(command("category-add", "category-add PATH", "creates a category by its path",
                      [](CliContext& c) { return addToTree(c, Tree::Categories); }));
    table.add(command("project-add", "project-add PATH", "creates a project by its path",
                      [](CliContext& c) { return addToTree(c, Tree::Projects); }));
    table.add(command("category-move", "category-move ID PARENT", "moves a category under another",
                      [](CliContext& c) { return pasteInTree(c, Tree::Categories, M::Move); }));
    table.add(command("project-move", "project-move ID PARENT", "moves a project under another",
                      [](CliContext& c) { return pasteInTree(c, Tree::Projects, M::Move); }));
    table.add(command("category-copy", "category-copy ID PARENT", "copies a category under another",
                      [](CliContext& c) { return pasteInTree(c, Tree::Categories, M::Copy); }));
    table.add(command("category-delete", "category-delete ID", "deletes a category (needs --yes)",
                      [](CliContext& c) { return deleteFromTree(c, Tree::Categories); }));
    table.add(command("project-delete", "project-delete ID", "deletes a project (needs --yes)",
                      [](CliContext& c) { return deleteFromTree(c, Tree::Projects); }));
}

}  // namespace ReferenceCommands
