// The report commands run through tallyra-cli's runner, in process, on books
// written straight through the store: the locale and the clock are pinned
// (en_US, 2024-03-15 10:00) and each case states the exact result.

#include "ReportSampleBook.h"

#include "accounts/PasswordLockRecord.h"
#include "platform/InstanceLock.h"
#include "platform/ObjectStore.h"
#include "shell/CliCommandTable.h"
#include "shell/CliRunner.h"
#include "shell/ReportCommands.h"
#include "store/PasswordDigest.h"
#include "store/TableSet.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

struct Result {
    int exit = -1;
    QString out;
    QString err;
};

class ReportCommandsTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(ReportSampleBook::write(m_dir.path())); }

    Result cli(const QStringList& arguments, const QString& folder = QString())
    {
        CliCommandTable table;
        addReportCommands(table);
        Result r;
        QTextStream out(&r.out);
        QTextStream err(&r.err);
        CliRunner runner(table, out, err);
        const QStringList global{QStringLiteral("--data"),   folder.isEmpty() ? m_dir.path() : folder,
                                 QStringLiteral("--locale"), QStringLiteral("en_US"),
                                 QStringLiteral("--now"),    QStringLiteral("2024-03-15T10:00:00")};
        r.exit = runner.run(global + arguments, [](const char*) { return QString(); });
        out.flush();
        err.flush();
        return r;
    }
    QJsonObject json(const QStringList& arguments)
    {
        const Result r = cli(QStringList{QStringLiteral("--json")} + arguments);
        EXPECT_EQ(r.exit, 0) << r.err.toStdString();
        return QJsonDocument::fromJson(r.out.toUtf8()).object();
    }
    QString path(const QString& name) const { return m_dir.filePath(name); }
    QByteArray read(const QString& name) const
    {
        QFile f(path(name));
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }

    QTemporaryDir m_dir;
};

QStringList column(const QJsonArray& rows, const char* field)
{
    QStringList out;
    for (const QJsonValue& row : rows)
        out << row.toObject().value(QLatin1String(field)).toVariant().toString();
    return out;
}

TEST_F(ReportCommandsTest, CategoriesOfTheCurrentMonth)
{
    const QJsonObject r = json({"report", "categories", "--period", "current-month"});
    const QJsonArray rows = r.value("rows").toArray();
    EXPECT_EQ(column(rows, "label"),
              (QStringList{"Food", "Food:Bread", "Salary", "[ Transactions without category ]", "[Cash]",
                           "[Euro Bank]"}));
    EXPECT_EQ(column(rows, "key"), (QStringList{"2", "3", "4", "0", "-1", "-2"}));
    // 45.99 USD and 20.00 EUR at 1.50.
    EXPECT_EQ(rows[0].toObject(), (QJsonObject{{"key", 2},
                                               {"label", "Food"},
                                               {"deposits", 0},
                                               {"payments", 7599},
                                               {"total", -7599},
                                               {"currency", "USD"},
                                               {"counted", true}}));
    // A transfer row keeps its account's currency and is not counted.
    EXPECT_EQ(rows[5].toObject(), (QJsonObject{{"key", -2},
                                               {"label", "[Euro Bank]"},
                                               {"deposits", 10000},
                                               {"payments", 0},
                                               {"total", 10000},
                                               {"currency", "EUR"},
                                               {"counted", false}}));
    EXPECT_EQ(r.value("totals").toObject(),
              (QJsonObject{{"net", 241151}, {"deposits", 250000}, {"payments", 8849}, {"count", 0}}));
    EXPECT_EQ(r.value("per_currency").toArray(),
              (QJsonArray{QJsonObject{{"code", "USD"}, {"deposits", 250000}, {"payments", 5849}},
                          QJsonObject{{"code", "EUR"}, {"deposits", 0}, {"payments", 2000}}}));
}

TEST_F(ReportCommandsTest, TransactionsOfOneAccountByNameOrId)
{
    for (const char* account : {"Euro Bank", "2"}) {
        const QJsonObject r = json(
            {"report", "transactions", "--from", "2024-03-01", "--to", "2024-03-31", "--account", account});
        const QJsonArray rows = r.value("rows").toArray();
        ASSERT_EQ(rows.size(), 2) << account;
        QJsonObject seeds = rows[0].toObject();
        EXPECT_GT(seeds.take("id").toInteger(), 0);
        EXPECT_EQ(seeds, (QJsonObject{{"account", "Euro Bank"},
                                      {"account_id", 2},
                                      {"date", "2024-03-04T12:00:00.000"},
                                      {"description", "Seeds"},
                                      {"amount", -2000},
                                      {"currency", "EUR"},
                                      {"converted", -3000}}));
        EXPECT_EQ(rows[1].toObject().value("converted").toInteger(), 15000);
        EXPECT_EQ(r.value("totals").toObject(),
                  (QJsonObject{{"net", 12000}, {"deposits", 15000}, {"payments", 3000}, {"count", 2}}));
    }
}

TEST_F(ReportCommandsTest, TheReportCurrencyHoldsForTheRunOnly)
{
    const QJsonObject r = json(
        {"report", "categories", "--period", "Current Month", "--currency", "eur", "--category", "Food"});
    // Food and Food:Bread, 45.99 USD / 1.5 = 30.66 EUR plus 20.00 EUR.
    const QJsonArray rows = r.value("rows").toArray();
    EXPECT_EQ(column(rows, "label"), (QStringList{"Food", "Food:Bread"}));
    EXPECT_EQ(column(rows, "payments"), (QStringList{"5066", "833"}));
    EXPECT_EQ(r.value("currency").toString(), QStringLiteral("EUR"));
    EXPECT_FALSE(QFileInfo::exists(path("Sumora.ini")));
    EXPECT_EQ(json({"report", "categories"}).value("currency").toString(), QStringLiteral("USD"));
}

TEST_F(ReportCommandsTest, SortByAColumnEitherWay)
{
    const QJsonObject byTotal =
        json({"report", "categories", "--period", "current-month", "--sort", "total:desc"});
    EXPECT_EQ(column(byTotal.value("rows").toArray(), "total"),
              (QStringList{"250000", "10000", "-999", "-1250", "-7599", "-15000"}));
    const QJsonObject bySum =
        json({"report", "transactions", "--period", "current-month", "--account", "Cash", "--sort", "sum"});
    EXPECT_EQ(column(bySum.value("rows").toArray(), "amount"),
              (QStringList{"-15000", "-4599", "-1250", "-999", "250000"}));
    const QJsonObject byDateDown = json(
        {"report", "transactions", "--period", "current-month", "--account", "Cash", "--sort", "date:desc"});
    EXPECT_EQ(column(byDateDown.value("rows").toArray(), "description"),
              (QStringList{"Kiosk", "To savings", "Market", "Bakery <Crumbs & Co>", "March salary"}));
    const QJsonObject byText = json({"report", "transactions", "--period", "current-month", "--account",
                                     "Cash", "--sort", "description:desc"});
    EXPECT_EQ(column(byText.value("rows").toArray(), "description"),
              (QStringList{"To savings", "Market", "March salary", "Kiosk", "Bakery <Crumbs & Co>"}));
}

TEST_F(ReportCommandsTest, ConditionsNarrowTheTransactions)
{
    struct Case {
        QStringList options;
        QStringList descriptions;
    };
    const Case cases[] = {
        {{"--desc", "crumbs"}, {"Bakery <Crumbs & Co>"}},
        {{"--number", "7"}, {"Market"}},
        {{"--number", "10"}, {}},
        {{"--reconciled"}, {"March salary"}},
        {{"--cleared", "--reconciled"}, {"March salary", "Bakery <Crumbs & Co>", "To savings", "To savings"}},
        {{"--amount-min", "-20", "--amount-max", "-10"}, {"Bakery <Crumbs & Co>", "Seeds"}},
        {{"--project", "Home"}, {"Bakery <Crumbs & Co>", "Market", "Seeds"}},
        {{"--from", "2023-12-31", "--to", "2023-12-31"}, {"Last year"}},
        {{"--period", "last-year"}, {"Last year"}},
    };
    for (const Case& c : cases) {
        QStringList arguments{"report", "transactions"};
        if (!c.options.contains("--period") && !c.options.contains("--from"))
            arguments << "--period"
                      << "current-month";
        const QJsonObject r = json(arguments + c.options);
        EXPECT_EQ(column(r.value("rows").toArray(), "description"), c.descriptions)
            << c.options.join(' ').toStdString();
    }
}

TEST_F(ReportCommandsTest, TheTableIsPrintedWithoutJson)
{
    const Result r = cli({"report", "transactions", "--period", "current-month", "--account", "Euro Bank"});
    EXPECT_EQ(r.exit, 0) << r.err.toStdString();
    EXPECT_EQ(r.out, QStringLiteral("Data\tDescription\tSum\tAccount\n"
                                    "3/4/2024 12:00\tSeeds\t-20.00\t[Euro Bank]\n"
                                    "3/5/2024 12:00\tTo savings\t100.00\t[Euro Bank]\n"
                                    "Sum:\t120.00 USD\n"
                                    "Count Transactions:\t2\n"));
    EXPECT_TRUE(r.err.isEmpty()) << r.err.toStdString();
}

TEST_F(ReportCommandsTest, ReportsAreWrittenInEachFormat)
{
    ASSERT_EQ(
        cli({"report", "categories", "--period", "current-month", "--format", "text", "--out", path("c.txt")})
            .exit,
        0);
    const QByteArray text = read("c.txt");
    EXPECT_TRUE(text.startsWith("Category\tDeposit\tPayment\tTotal\tCurrency Report\n")) << text.constData();
    EXPECT_TRUE(text.contains("Food\t0.00\t75.99\t-75.99\tUSD\n")) << text.constData();

    ASSERT_EQ(
        cli({"report", "projects", "--period", "current-month", "--format", "pxl", "--out", path("p.pxl")})
            .exit,
        0);
    const QByteArray pxl = read("p.pxl");
    ASSERT_GT(pxl.size(), 427);
    EXPECT_TRUE(pxl.startsWith(QByteArray::fromHex("090F0105")));
    EXPECT_EQ(pxl.back(), '\x0A');

    const Result html = cli({"report", "transactions", "--period", "current-month", "--account", "Cash",
                             "--format", "html", "--title", "March", "--out", path("t.htm")});
    ASSERT_EQ(html.exit, 0) << html.err.toStdString();
    // Nobody is asked to view the file.
    EXPECT_TRUE(html.err.isEmpty()) << html.err.toStdString();
    EXPECT_TRUE(html.out.isEmpty());
    const QByteArray page = read("t.htm");
    EXPECT_TRUE(page.startsWith("<html> \n<head> \n<title>March  3/1/2024 through 3/15/2024</title>"))
        << page.constData();
    EXPECT_TRUE(page.contains("Bakery &lt;Crumbs &amp; Co&gt;"));
    EXPECT_FALSE(page.contains("<Crumbs"));
    EXPECT_TRUE(page.contains("Accounts: </strong>[Cash] "));
    EXPECT_FALSE(page.contains("Seeds"));
    EXPECT_TRUE(page.endsWith("</body> \n</html>"));
}

TEST_F(ReportCommandsTest, AFileThatCannotBeWrittenFailsTheCommand)
{
    const QString target = path("no-such-folder/r.htm");
    const Result r = cli({"report", "projects", "--format", "html", "--out", target});
    EXPECT_EQ(r.exit, 1);
    EXPECT_EQ(r.err, QStringLiteral("The report could not be written to %1.\n").arg(target));
}

TEST_F(ReportCommandsTest, BadUsageIsExitTwoBeforeTheBookIsOpened)
{
    const QString empty = path("never-made");
    struct Case {
        QStringList arguments;
        QString message;
    };
    const Case cases[] = {
        {{"report"}, "tallyra-cli: expected transactions, categories or projects\n"},
        {{"report", "projects", "--bogus", "1"}, "tallyra-cli: unknown option --bogus\n"},
        {{"report", "projects", "--format", "html"},
         "tallyra-cli: --format text, html, pxl, xlsx, csv, png and svg need --out FILE\n"},
        {{"report", "projects", "--from", "2024-02-30"},
         "tallyra-cli: malformed date 2024-02-30 (expected YYYY-MM-DD)\n"},
        {{"filter-save"}, "tallyra-cli: expected FILE\n"},
        {{"filter-save", "x.tyf", "--title", "T"}, "tallyra-cli: unknown option --title\n"},
    };
    for (const Case& c : cases) {
        const Result r = cli(c.arguments, empty);
        EXPECT_EQ(r.exit, 2) << c.arguments.join(' ').toStdString();
        EXPECT_EQ(r.err, c.message);
        EXPECT_FALSE(QFileInfo::exists(QDir(empty).filePath("tallyra.db")));
    }
}

TEST_F(ReportCommandsTest, NothingToReportWithoutABookOrAnAccount)
{
    const QString none = path("none");
    Result r = cli({"report", "categories"}, none);
    EXPECT_EQ(r.exit, 1);
    EXPECT_EQ(r.err, QStringLiteral("Can't init engine databases.\n"));
    EXPECT_FALSE(QFileInfo::exists(QDir(none).filePath("tallyra.db")));

    const QString empty = path("empty");
    ASSERT_TRUE(ReportSampleBook::writeWithoutAccounts(empty));
    r = cli({"filter-save", QDir(empty).filePath("f.tyf")}, empty);
    EXPECT_EQ(r.exit, 1);
    EXPECT_EQ(r.err, QStringLiteral("The book has no account: nothing to report.\n"));
    EXPECT_FALSE(QFileInfo::exists(QDir(empty).filePath("f.tyf")));
}

TEST_F(ReportCommandsTest, NamesTheBookLacksFailTheCommand)
{
    struct Case {
        QStringList options;
        QString message;
    };
    const Case cases[] = {
        {{"--account", "Nobody"}, "no account Nobody\n"},
        {{"--account", "3"}, "no account 3\n"},
        {{"--category", "Drinks"}, "no category Drinks\n"},
        {{"--project", "Garden"}, "no project Garden\n"},
        {{"--currency", "GBP"}, "no currency GBP in the book\n"},
        {{"--filter", path("missing.tyf")}, "cannot read the filter file " + path("missing.tyf") + "\n"},
    };
    for (const Case& c : cases) {
        const Result r = cli(QStringList{"report", "categories"} + c.options);
        EXPECT_EQ(r.exit, 1) << c.options.join(' ').toStdString();
        EXPECT_EQ(r.err, c.message);
        EXPECT_TRUE(r.out.isEmpty());
    }
}

TEST_F(ReportCommandsTest, TheMainProgramsPasswordIsAsked)
{
    {
        std::unique_ptr<ObjectStore> store = ObjectStore::open(path("tallyra.db"));
        TableSet tables;
        tables.attach(store.get());
        ASSERT_TRUE(tables.openAll() && tables.setWorkingSorts());
        ASSERT_TRUE(PasswordLockRecord::write(tables.transactions(), {passwordDigest(u"secret"), 0}));
    }
    const Result none = cli({"report", "projects"});
    EXPECT_EQ(none.exit, 1);
    EXPECT_EQ(none.err, QStringLiteral("Wrong password (--password).\n"));
    const Result wrong = cli({"--password", "Secret", "report", "projects"});
    EXPECT_EQ(wrong.exit, 1);
    EXPECT_TRUE(wrong.out.isEmpty());
    const Result right = cli({"--password", "secret", "report", "projects"});
    EXPECT_EQ(right.exit, 0) << right.err.toStdString();
    // The lock record is no transaction of any report.
    const QJsonObject all = json({"--password", "secret", "report", "transactions", "--from", "1601-01-01"});
    EXPECT_EQ(all.value("rows").toArray().size(), 8);
}

TEST_F(ReportCommandsTest, ReportsRunWhileTheMainProgramIsOpen)
{
    QString error;
    const std::unique_ptr<InstanceLock> mainProgram =
        InstanceLock::acquire(m_dir.path(), QString::fromLatin1(InstanceLock::MainProgramFile), &error);
    ASSERT_TRUE(mainProgram) << error.toStdString();
    EXPECT_EQ(cli({"report", "projects"}).exit, 0);
    EXPECT_EQ(cli({"filter-save", path("f.tyf"), "--cleared"}).exit, 0);
}

TEST_F(ReportCommandsTest, SavedFiltersAreTheFilterFileAndReadBack)
{
    ASSERT_EQ(cli({"filter-save", path("cleared.tyf"), "--cleared", "--period", "last-year"}).exit, 0);
    // The period and the currency are not part of the file.
    EXPECT_EQ(read("cleared.tyf"), QByteArray::fromHex("747966010"
                                                       "10c01ff"));

    ASSERT_EQ(cli({"filter-save", path("euro.tyf"), "--account", "Euro Bank", "--desc", "seeds"}).exit, 0);
    EXPECT_EQ(read("euro.tyf"), QByteArray::fromHex("7479660101"
                                                    "02"
                                                    "0100"
                                                    "02000000"
                                                    "05"
                                                    "0500"
                                                    "53004500450044005300"
                                                    "ff"));
    const QJsonObject r =
        json({"report", "transactions", "--period", "current-month", "--filter", path("euro.tyf")});
    EXPECT_EQ(column(r.value("rows").toArray(), "description"), QStringList{"Seeds"});
    // Options add to what the file holds.
    const QJsonObject both = json({"report", "transactions", "--period", "current-month", "--filter",
                                   path("euro.tyf"), "--account", "Cash", "--desc", "a"});
    EXPECT_EQ(column(both.value("rows").toArray(), "description"),
              (QStringList{"March salary", "Bakery <Crumbs & Co>", "Market", "To savings", "To savings"}));
}

TEST_F(ReportCommandsTest, ADamagedFilterFileSaysSoInTheProgramsWords)
{
    QFile f(path("bad.tyf"));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("tyf\x01\x01\x02");
    f.close();
    const Result r = cli({"report", "categories", "--filter", path("bad.tyf")});
    EXPECT_EQ(r.exit, 1);
    EXPECT_EQ(r.err, QStringLiteral("Error Read File\n"));
    EXPECT_TRUE(r.out.isEmpty());
}

}  // namespace
