#include "shell/ReportCommandLine.h"

#include "shell/CliValues.h"

#include <gtest/gtest.h>

namespace {

QStringList args(std::initializer_list<const char*> list)
{
    QStringList out;
    for (const char* a : list)
        out << QString::fromUtf8(a);
    return out;
}

TEST(ReportCommandLineTest, ReadsEveryOptionOfAReport)
{
    QString error;
    const std::optional<ReportRequest> r = ReportCommandLine::parseReport(
        args({"categories",     "--currency", "eur",          "--from",   "2024-01-01",   "--to=2024-03-31",
              "--account",      "Cash",       "--account",    "2",        "--category",   "Food",
              "--category",     "Salary",     "--project",    "Home",     "--filter",     "f.tyf",
              "--desc",         "bread",      "--note",       "n",        "--contact",    "Bob",
              "--number",       "12",         "--amount-min", "-1.234,5", "--amount-max", "99",
              "--unreconciled", "--cleared",  "--reconciled", "--sort",   "total:desc",   "--format",
              "html",           "--title",    "My title",     "--out",    "r.htm"}),
        &error);
    ASSERT_TRUE(r) << error.toStdString();
    EXPECT_EQ(r->kind, ReportKind::Categories);
    EXPECT_EQ(r->currency, QStringLiteral("EUR"));
    EXPECT_EQ(r->from, (LocalTime{2024, 1, 1, 0, 0, 0, 0}));
    EXPECT_EQ(r->to, (LocalTime{2024, 3, 31, 0, 0, 0, 0}));
    EXPECT_FALSE(r->period);
    EXPECT_EQ(r->accounts, args({"Cash", "2"}));
    EXPECT_EQ(r->categories, args({"Food", "Salary"}));
    EXPECT_EQ(r->projects, args({"Home"}));
    EXPECT_EQ(r->filterFile, QStringLiteral("f.tyf"));
    EXPECT_EQ(r->description, QStringLiteral("bread"));
    EXPECT_EQ(r->note, QStringLiteral("n"));
    EXPECT_EQ(r->contact, QStringLiteral("Bob"));
    EXPECT_EQ(r->number, QStringLiteral("12"));
    ASSERT_TRUE(r->amountMin && r->amountMax);
    EXPECT_EQ(r->amountMin->hundredths(), -123450);
    EXPECT_EQ(r->amountMax->hundredths(), 9900);
    EXPECT_TRUE(r->unreconciled && r->cleared && r->reconciled);
    ASSERT_TRUE(r->sort);
    EXPECT_EQ(r->sort->column, 4);
    EXPECT_TRUE(r->sort->descending);
    EXPECT_EQ(r->output, ReportRequest::Output::Html);
    EXPECT_EQ(r->title, QStringLiteral("My title"));
    EXPECT_EQ(r->path, QStringLiteral("r.htm"));
}

TEST(ReportCommandLineTest, ABareReportIsATableWithNoConditions)
{
    QString error;
    const std::optional<ReportRequest> r = ReportCommandLine::parseReport(args({"transactions"}), &error);
    ASSERT_TRUE(r);
    EXPECT_EQ(r->kind, ReportKind::TransactionList);
    EXPECT_EQ(r->output, ReportRequest::Output::Table);
    EXPECT_TRUE(r->currency.isEmpty() && r->accounts.isEmpty() && r->path.isEmpty());
    EXPECT_FALSE(r->sort || r->period || r->from || r->amountMin || r->description);
    EXPECT_FALSE(r->unreconciled || r->cleared || r->reconciled);
}

TEST(ReportCommandLineTest, BadCommandLinesSayWhy)
{
    struct Case {
        std::initializer_list<const char*> arguments;
        const char* error;
    };
    const Case cases[] = {
        {{}, "expected transactions, categories or projects"},
        {{"categories", "projects"}, "expected transactions, categories or projects"},
        {{"accounts"}, "unknown report accounts (one of: transactions, categories, projects)"},
        {{"projects", "--bogus", "1"}, "unknown option --bogus"},
        {{"projects", "--desc"}, "option --desc needs a value"},
        {{"projects", "--cleared=1"}, "option --cleared takes no value"},
        {{"projects", "--desc", "a", "--desc", "b"}, "option --desc given twice"},
        {{"projects", "--from", "2024-02-30"}, "malformed date 2024-02-30 (expected YYYY-MM-DD)"},
        {{"projects", "--to", "1.3.2024"}, "malformed date 1.3.2024 (expected YYYY-MM-DD)"},
        {{"projects", "--from", "2024-03-02", "--to", "2024-03-01"}, "--from is after --to"},
        {{"projects", "--period", "Today", "--from", "2024-03-02"},
         "--period and --from/--to exclude each other"},
        {{"projects", "--period", "Next Year"},
         "unknown period Next Year (one of: Last Year, Last Quarter, Last Month, Current Year, Current "
         "Quarter, "
         "Current Month, Today)"},
        {{"projects", "--amount-min", "abc"}, "malformed amount abc"},
        {{"projects", "--amount-max", "10000000000"}, "malformed amount 10000000000"},
        {{"projects", "--currency", " "}, "--currency needs a currency code"},
        {{"projects", "--sort", "sum"}, "unknown sort column sum"},
        {{"transactions", "--sort", "total"}, "unknown sort column total"},
        {{"transactions", "--sort", "date:up"}, "unknown sort column date:up"},
        {{"transactions", "--sort", "4"}, "unknown sort column 4"},
        {{"projects", "--format", "pdf"},
         "unknown format pdf (one of: table, text, html, pxl, xlsx, csv, png, svg)"},
        {{"projects", "--format", "html"},
         "--format text, html, pxl, xlsx, csv, png and svg need --out FILE"},
        {{"projects", "--out", "x.htm"}, "--out needs --format text, html, pxl, xlsx, csv, png or svg"},
        {{"projects", "--chart", "donut"}, "unknown chart donut (one of: pie, bar, line)"},
        {{"projects", "--format", "csv", "--out", "x.csv", "--chart", "pie"},
         "--chart needs --format png, svg or html"},
        {{"projects", "--format", "png", "--out", "x.png", "--chart", "line"},
         "a group report has the pie and bar charts only"},
        {{"transactions", "--format", "svg", "--out", "x.svg", "--chart", "bar"},
         "the transaction list has the line chart only"},
    };
    for (const Case& c : cases) {
        QString error;
        const QStringList a = args(c.arguments);
        EXPECT_FALSE(ReportCommandLine::parseReport(a, &error)) << a.join(u' ').toStdString();
        EXPECT_EQ(error, QString::fromUtf8(c.error)) << a.join(u' ').toStdString();
    }
}

TEST(ReportCommandLineTest, FilterSaveTakesTheFilterOptionsOnly)
{
    QString error;
    const std::optional<ReportRequest> r =
        ReportCommandLine::parseFilterSave(args({"out.tyf", "--cleared", "--account", "Cash"}), &error);
    ASSERT_TRUE(r) << error.toStdString();
    EXPECT_EQ(r->path, QStringLiteral("out.tyf"));
    EXPECT_TRUE(r->cleared);
    EXPECT_EQ(r->accounts, args({"Cash"}));

    struct Case {
        std::initializer_list<const char*> arguments;
        const char* error;
    };
    const Case bad[] = {
        {{}, "expected FILE"},
        {{"a.tyf", "b.tyf"}, "expected FILE"},
        {{"a.tyf", "--format", "html"}, "unknown option --format"},
        {{"a.tyf", "--sort", "name"}, "unknown option --sort"},
        {{"a.tyf", "--out", "x"}, "unknown option --out"},
        {{"a.tyf", "--from", "2024-13-01"}, "malformed date 2024-13-01 (expected YYYY-MM-DD)"},
    };
    for (const Case& c : bad) {
        const QStringList a = args(c.arguments);
        EXPECT_FALSE(ReportCommandLine::parseFilterSave(a, &error)) << a.join(u' ').toStdString();
        EXPECT_EQ(error, QString::fromUtf8(c.error));
    }
}

TEST(ReportCommandLineTest, SignedAmountsStayValuesNotOptions)
{
    QString error;
    const std::optional<ReportRequest> r = ReportCommandLine::parseReport(
        args({"transactions", "--amount-max", "-50", "--amount-min=-100.5"}), &error);
    ASSERT_TRUE(r) << error.toStdString();
    EXPECT_EQ(r->amountMax->hundredths(), -5000);
    EXPECT_EQ(r->amountMin->hundredths(), -10050);
}

TEST(ReportCommandLineTest, PeriodNamesInTheirListFormOrShort)
{
    using Named = ReportPeriod::Named;
    const std::pair<const char*, std::optional<Named>> cases[] = {
        {"Last Year", Named::LastYear},
        {"last-quarter", Named::LastQuarter},
        {"LASTMONTH", Named::LastMonth},
        {"current_year", Named::CurrentYear},
        {"Current Quarter", Named::CurrentQuarter},
        {"current-month", Named::CurrentMonth},
        {"today", Named::Today},
        {"", std::nullopt},
        {"yesterday", std::nullopt},
        {"Last", std::nullopt},
    };
    for (const auto& [text, expected] : cases)
        EXPECT_EQ(ReportCommandLine::periodByName(QString::fromUtf8(text)), expected) << text;
}

TEST(ReportCommandLineTest, DatesAreRealDaysInTheCalendar)
{
    const std::pair<const char*, std::optional<LocalTime>> cases[] = {
        {"2024-02-29", LocalTime{2024, 2, 29, 0, 0, 0, 0}},
        {"1601-01-01", LocalTime{1601, 1, 1, 0, 0, 0, 0}},
        {"9999-12-31", LocalTime{9999, 12, 31, 0, 0, 0, 0}},
        {"2023-02-29", std::nullopt},
        {"1600-12-31", std::nullopt},
        {"2024-3-1", std::nullopt},
        {"2024-03-01T10:00:00", std::nullopt},
        {" 2024-03-01", std::nullopt},
        {"", std::nullopt},
    };
    for (const auto& [text, expected] : cases)
        EXPECT_EQ(CliValues::date(QString::fromUtf8(text)), expected) << text;
}

TEST(ReportCommandLineTest, SortColumnsByNameOrNumber)
{
    struct Case {
        ReportKind kind;
        const char* text;
        int column;  // 0: refused
        bool descending;
    };
    const Case cases[] = {
        {ReportKind::TransactionList, "date", 1, false},
        {ReportKind::TransactionList, "Description:desc", 2, true},
        {ReportKind::TransactionList, "sum", 3, false},
        {ReportKind::TransactionList, "amount:asc", 3, false},
        {ReportKind::TransactionList, "3:desc", 3, true},
        {ReportKind::TransactionList, "name", 0, false},
        {ReportKind::TransactionList, "0", 0, false},
        {ReportKind::Categories, "name", 1, false},
        {ReportKind::Categories, "label:desc", 1, true},
        {ReportKind::Projects, "deposit", 2, false},
        {ReportKind::Projects, "payment:DESC", 3, true},
        {ReportKind::Projects, "total", 4, false},
        {ReportKind::Projects, "4", 4, false},
        {ReportKind::Projects, "5", 0, false},
        {ReportKind::Projects, "-1", 0, false},
        {ReportKind::Projects, "", 0, false},
        {ReportKind::Projects, "total:", 0, false},
    };
    for (const Case& c : cases) {
        const std::optional<ReportSort> s = ReportCommandLine::sortByText(c.kind, QString::fromUtf8(c.text));
        if (c.column == 0) {
            EXPECT_FALSE(s) << c.text;
            continue;
        }
        ASSERT_TRUE(s) << c.text;
        EXPECT_EQ(s->column, c.column) << c.text;
        EXPECT_EQ(s->descending, c.descending) << c.text;
    }
}

}  // namespace
