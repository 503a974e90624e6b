#include "shell/ReportCommandLine.h"

#include "reports/FilterAmountText.h"
#include "shell/CliValues.h"
#include "store/FileTime.h"

#include <QRegularExpression>

#include <algorithm>
#include <iterator>

namespace {

using Apply = bool (*)(ReportRequest& r, const QString& value, QString* error);

struct Option {
    const char* name;
    bool flag;        // stands alone, takes no value
    bool repeats;     // may be given more than once
    bool reportOnly;  // shapes the report, not the filter: filter-save refuses it
    Apply apply;
};

bool fail(QString* error, const QString& message)
{
    *error = message;
    return false;
}

std::nullopt_t refuse(QString* error, const QString& message)
{
    *error = message;
    return std::nullopt;
}

bool setDate(std::optional<LocalTime>& field, const QString& value, QString* error)
{
    field = CliValues::date(value);
    return field || fail(error, QStringLiteral("malformed date %1 (expected YYYY-MM-DD)").arg(value));
}

// A bound of the amount range, read as the Advanced Filter reads it.
bool setAmount(std::optional<Money>& field, const QString& value, QString* error)
{
    field = FilterAmountText::parse(value);
    return field || fail(error, QStringLiteral("malformed amount %1").arg(value));
}

const Option Options[] = {
    {"currency", false, false, false,
     [](ReportRequest& r, const QString& v, QString* e) {
         r.currency = v.trimmed().toUpper();
         return !r.currency.isEmpty() || fail(e, QStringLiteral("--currency needs a currency code"));
     }},
    {"period", false, false, false,
     [](ReportRequest& r, const QString& v, QString* e) {
         r.period = ReportCommandLine::periodByName(v);
         return r.period || fail(e, QStringLiteral("unknown period %1 (one of: %2)")
                                        .arg(v, ReportPeriod::names().join(QStringLiteral(", "))));
     }},
    {"from", false, false, false,
     [](ReportRequest& r, const QString& v, QString* e) { return setDate(r.from, v, e); }},
    {"to", false, false, false,
     [](ReportRequest& r, const QString& v, QString* e) { return setDate(r.to, v, e); }},
    {"account", false, true, false,
     [](ReportRequest& r, const QString& v, QString*) {
         r.accounts << v;
         return true;
     }},
    {"category", false, true, false,
     [](ReportRequest& r, const QString& v, QString*) {
         r.categories << v;
         return true;
     }},
    {"project", false, true, false,
     [](ReportRequest& r, const QString& v, QString*) {
         r.projects << v;
         return true;
     }},
    {"filter", false, false, false,
     [](ReportRequest& r, const QString& v, QString*) {
         r.filterFile = v;
         return true;
     }},
    {"desc", false, false, false,
     [](ReportRequest& r, const QString& v, QString*) {
         r.description = v;
         return true;
     }},
    {"note", false, false, false,
     [](ReportRequest& r, const QString& v, QString*) {
         r.note = v;
         return true;
     }},
    {"contact", false, false, false,
     [](ReportRequest& r, const QString& v, QString*) {
         r.contact = v;
         return true;
     }},
    {"number", false, false, false,
     [](ReportRequest& r, const QString& v, QString*) {
         r.number = v;
         return true;
     }},
    {"amount-min", false, false, false,
     [](ReportRequest& r, const QString& v, QString* e) { return setAmount(r.amountMin, v, e); }},
    {"amount-max", false, false, false,
     [](ReportRequest& r, const QString& v, QString* e) { return setAmount(r.amountMax, v, e); }},
    {"unreconciled", true, false, false,
     [](ReportRequest& r, const QString&, QString*) { return r.unreconciled = true; }},
    {"cleared", true, false, false,
     [](ReportRequest& r, const QString&, QString*) { return r.cleared = true; }},
    {"reconciled", true, false, false,
     [](ReportRequest& r, const QString&, QString*) { return r.reconciled = true; }},
    {"sort", false, false, true,
     [](ReportRequest& r, const QString& v, QString* e) {
         r.sort = ReportCommandLine::sortByText(r.kind, v);
         return r.sort || fail(e, QStringLiteral("unknown sort column %1").arg(v));
     }},
    {"format", false, false, true,
     [](ReportRequest& r, const QString& v, QString* e) {
         const std::optional<ReportRequest::Output> output = ReportCommandLine::outputByName(v);
         if (output)
             r.output = *output;
         return output ||
                fail(e,
                     QStringLiteral("unknown format %1 (one of: table, text, html, pxl, xlsx, csv, png, svg)")
                         .arg(v));
     }},
    {"chart", false, false, true,
     [](ReportRequest& r, const QString& v, QString* e) {
         r.chart = ReportCommandLine::chartByName(v);
         return r.chart || fail(e, QStringLiteral("unknown chart %1 (one of: pie, bar, line)").arg(v));
     }},
    {"title", false, false, true,
     [](ReportRequest& r, const QString& v, QString*) {
         r.title = v;
         return true;
     }},
    {"out", false, false, true,
     [](ReportRequest& r, const QString& v, QString*) {
         r.path = v;
         return true;
     }},
};

const Option* optionNamed(const QString& name, bool filterOnly)
{
    const auto it = std::find_if(std::begin(Options), std::end(Options),
                                 [&](const Option& o) { return name == QLatin1String(o.name); });
    if (it == std::end(Options) || (filterOnly && it->reportOnly))
        return nullptr;
    return it;
}

struct Given {
    const Option* option;
    QString value;
};

struct Split {
    QStringList positional;
    std::vector<Given> options;
};

// Separates positional texts from options, checking names, values and repeats.
std::optional<Split> split(const QStringList& arguments, bool filterOnly, QString* error)
{
    Split s;
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString& a = arguments[i];
        if (!a.startsWith(QLatin1String("--")) || a.size() == 2) {
            s.positional << a;
            continue;
        }
        const qsizetype equals = a.indexOf(u'=');
        const QString name = a.mid(2, equals < 0 ? -1 : equals - 2);
        const Option* option = optionNamed(name, filterOnly);
        if (!option)
            return refuse(error, QStringLiteral("unknown option --%1").arg(name));
        const bool repeated = std::any_of(s.options.begin(), s.options.end(),
                                          [&](const Given& g) { return g.option == option; });
        if (repeated && !option->repeats)
            return refuse(error, QStringLiteral("option --%1 given twice").arg(name));
        if (option->flag && equals >= 0)
            return refuse(error, QStringLiteral("option --%1 takes no value").arg(name));
        if (option->flag) {
            s.options.push_back({option, QString()});
            continue;
        }
        if (equals < 0 && i + 1 >= arguments.size())
            return refuse(error, QStringLiteral("option --%1 needs a value").arg(name));
        s.options.push_back({option, equals < 0 ? arguments[++i] : a.mid(equals + 1)});
    }
    return s;
}

bool applyOptions(ReportRequest& r, const std::vector<Given>& options, QString* error)
{
    for (const Given& g : options) {
        if (!g.option->apply(r, g.value, error))
            return false;
    }
    return true;
}

bool checkDates(const ReportRequest& r, QString* error)
{
    if (r.period && (r.from || r.to))
        return fail(error, QStringLiteral("--period and --from/--to exclude each other"));
    if (r.from && r.to && *fileTimeFromLocal(*r.from) > *fileTimeFromLocal(*r.to))
        return fail(error, QStringLiteral("--from is after --to"));
    return true;
}

bool checkChart(const ReportRequest& r, QString* error)
{
    using Output = ReportRequest::Output;
    if (!r.chart)
        return true;
    if (r.output != Output::Png && r.output != Output::Svg && r.output != Output::Html)
        return fail(error, QStringLiteral("--chart needs --format png, svg or html"));
    const bool list = r.kind == ReportKind::TransactionList;
    if (list != (*r.chart == ChartKind::Line))
        return fail(error, list ? QStringLiteral("the transaction list has the line chart only")
                                : QStringLiteral("a group report has the pie and bar charts only"));
    return true;
}

bool checkOutput(const ReportRequest& r, QString* error)
{
    if (r.output != ReportRequest::Output::Table && r.path.isEmpty())
        return fail(error,
                    QStringLiteral("--format text, html, pxl, xlsx, csv, png and svg need --out FILE"));
    if (r.output == ReportRequest::Output::Table && !r.path.isEmpty())
        return fail(error, QStringLiteral("--out needs --format text, html, pxl, xlsx, csv, png or svg"));
    return checkChart(r, error);
}

}  // namespace

std::optional<ReportRequest> ReportCommandLine::parseReport(const QStringList& arguments, QString* error)
{
    const std::optional<Split> s = split(arguments, false, error);
    if (!s)
        return std::nullopt;
    if (s->positional.size() != 1)
        return refuse(error, QStringLiteral("expected transactions, categories or projects"));
    ReportRequest r;
    const std::optional<ReportKind> kind = kindByName(s->positional.front());
    if (!kind)
        return refuse(error, QStringLiteral("unknown report %1 (one of: transactions, categories, projects)")
                                 .arg(s->positional.front()));
    r.kind = *kind;
    if (!applyOptions(r, s->options, error) || !checkDates(r, error) || !checkOutput(r, error))
        return std::nullopt;
    return r;
}

std::optional<ReportRequest> ReportCommandLine::parseFilterSave(const QStringList& arguments, QString* error)
{
    const std::optional<Split> s = split(arguments, true, error);
    if (!s)
        return std::nullopt;
    if (s->positional.size() != 1 || s->positional.front().isEmpty())
        return refuse(error, QStringLiteral("expected FILE"));
    ReportRequest r;
    if (!applyOptions(r, s->options, error) || !checkDates(r, error))
        return std::nullopt;
    r.path = s->positional.front();
    return r;
}

std::optional<ReportKind> ReportCommandLine::kindByName(const QString& name)
{
    if (name == QLatin1String("transactions"))
        return ReportKind::TransactionList;
    if (name == QLatin1String("categories"))
        return ReportKind::Categories;
    if (name == QLatin1String("projects"))
        return ReportKind::Projects;
    return std::nullopt;
}

std::optional<ReportPeriod::Named> ReportCommandLine::periodByName(const QString& name)
{
    const QString wanted = CliValues::folded(name);
    const QStringList& names = ReportPeriod::names();
    for (qsizetype i = 0; i < names.size(); ++i) {
        if (!wanted.isEmpty() && CliValues::folded(names[i]) == wanted)
            return static_cast<ReportPeriod::Named>(i);
    }
    return std::nullopt;
}

std::optional<ReportSort> ReportCommandLine::sortByText(ReportKind kind, const QString& text)
{
    const qsizetype colon = text.indexOf(u':');
    const QString column = (colon < 0 ? text : text.left(colon)).toLower();
    const QString direction = colon < 0 ? QStringLiteral("asc") : text.mid(colon + 1).toLower();
    if (direction != QLatin1String("asc") && direction != QLatin1String("desc"))
        return std::nullopt;
    const QStringList names =
        kind == ReportKind::TransactionList
            ? QStringList{QStringLiteral("date"), QStringLiteral("description"), QStringLiteral("sum")}
            : QStringList{QStringLiteral("name"), QStringLiteral("deposit"), QStringLiteral("payment"),
                          QStringLiteral("total")};
    const QString alias =
        kind == ReportKind::TransactionList ? QStringLiteral("amount") : QStringLiteral("label");
    const qsizetype aliasColumn = kind == ReportKind::TransactionList ? 3 : 1;
    bool isNumber = false;
    qsizetype number = column.toInt(&isNumber);
    if (!isNumber)
        number = column == alias ? aliasColumn : names.indexOf(column) + 1;
    if (number < 1 || number > names.size())
        return std::nullopt;
    return ReportSort{static_cast<int>(number), direction == QLatin1String("desc")};
}

std::optional<ReportRequest::Output> ReportCommandLine::outputByName(const QString& name)
{
    if (name == QLatin1String("table"))
        return ReportRequest::Output::Table;
    if (name == QLatin1String("text"))
        return ReportRequest::Output::Text;
    if (name == QLatin1String("html"))
        return ReportRequest::Output::Html;
    if (name == QLatin1String("pxl"))
        return ReportRequest::Output::PocketExcel;
    if (name == QLatin1String("xlsx"))
        return ReportRequest::Output::Xlsx;
    if (name == QLatin1String("csv"))
        return ReportRequest::Output::Csv;
    if (name == QLatin1String("png"))
        return ReportRequest::Output::Png;
    if (name == QLatin1String("svg"))
        return ReportRequest::Output::Svg;
    return std::nullopt;
}

std::optional<ChartKind> ReportCommandLine::chartByName(const QString& name)
{
    if (name == QLatin1String("pie"))
        return ChartKind::Pie;
    if (name == QLatin1String("bar"))
        return ChartKind::Bar;
    if (name == QLatin1String("line"))
        return ChartKind::Line;
    return std::nullopt;
}

QString ReportCommandLine::filterUsage()
{
    return QStringLiteral(
        "[--currency CODE] [--period NAME | --from D --to D] [--account A]... [--category PATH]... "
        "[--project PATH]... [--filter FILE.tyf] [--desc T] [--note T] [--contact T] [--number T] "
        "[--amount-min X] [--amount-max Y] [--unreconciled] [--cleared] [--reconciled]");
}

QString ReportCommandLine::reportUsage()
{
    return filterUsage() +
           QStringLiteral(" [--sort COLUMN[:desc]] [--format table|text|html|pxl|xlsx|csv|png|svg] "
                          "[--chart pie|bar|line] [--title T] [--out FILE]");
}
