// backup, restore and export through the built tallyra-cli, on a book made by
// its own commands, with the locale and the clock pinned.

#include "CliBook.h"

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonObject>
#include <QLockFile>
#include <QSettings>

namespace {

class InterchangeCliTest : public CliBook {
protected:
    QString file(const QString& name) const { return QDir(m_files.path()).filePath(name); }
    static QByteArray bytesOf(const QString& path)
    {
        QFile f(path);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
    static QStringList linesOf(const QString& path)
    {
        QString text = QString::fromLatin1(bytesOf(path));
        EXPECT_TRUE(text.endsWith(QStringLiteral("\r\n"))) << path.toStdString();
        text.chop(2);
        return text.split(QStringLiteral("\r\n"));
    }

    // Two accounts, a transfer, filed transactions, a plan and a project.
    void makeBook()
    {
        ok({"init", "Cash", "USD", "100"});
        ok({"account-add", "Savings", "EUR", "20"});
        ok({"--yes", "add", "Cash", "-12.50", "--date", "2024-03-01", "--desc", "Gas", "--category",
            "Auto:Fuel", "--project", "Trip", "--note", "two\nlines", "--mark", "1"});
        ok({"add", "Cash", "-30", "--date", "2024-03-02", "--desc", "To savings", "--category", "[Savings]",
            "--rate", "0.9"});
        ok({"--yes", "add", "Cash", "7", "--date", "2024-03-04", "--desc", "Refund", "--contact", "Shop",
            "--number", "42"});
        ok({"plan-add", "-500", "USD", "--desc", "Rent", "--start", "2024-04-01", "--rule", "3",
            "--ongoing"});
    }

    QTemporaryDir m_files;
};

TEST_F(InterchangeCliTest, RestoredBookBacksUpToTheSameBytes)
{
    makeBook();
    // Project totals valid (as showing the projects leaves them): the start
    // after a restore recomputes them all and would set the flag anyway.
    ok({"projects"});
    const QString first = file(QStringLiteral("first.tyb"));
    ok({"backup", first});
    const QString accounts = ok({"--json", "accounts"});
    const QString categories = ok({"--json", "categories"});
    const QString plans = ok({"--json", "plans"});
    // Another day's change, which the restore takes back.
    ok({"add", "Cash", "1", "--date", "2024-03-05", "--desc", "later"});

    const CliResult r = cli({"--yes", "restore", first});
    EXPECT_EQ(r.exit, 0) << r.err.toStdString();
    EXPECT_TRUE(r.err.contains(QStringLiteral("The restore process was successfully completed.")))
        << r.err.toStdString();

    // The next start rebuilds what the file does not carry.
    expectCheckPasses();
    EXPECT_EQ(ok({"--json", "accounts"}), accounts);
    EXPECT_EQ(ok({"--json", "categories"}), categories);
    EXPECT_EQ(ok({"--json", "plans"}), plans);
    const QString second = file(QStringLiteral("second.tyb"));
    ok({"backup", second});
    const QByteArray a = bytesOf(first);
    const QByteArray b = bytesOf(second);
    ASSERT_GT(a.size(), 13);
    EXPECT_EQ(a.mid(13).toHex(' ').toStdString(), b.mid(13).toHex(' ').toStdString());
}

// A book with something in every saved table and in the future list: notes on
// an account and on transactions, marks, contacts and numbers, a transfer
// between currencies, a stored rate, plans with every option, a partly posted
// occurrence in another currency, nested projects.
TEST_F(InterchangeCliTest, FullBookRestoredBacksUpToTheSameBytes)
{
    ok({"init", "Cash", "USD", "100"});
    ok({"account-add", "Savings", "EUR", "20"});
    ok({"account-edit", "Savings", "--note", "rainy days"});
    ok({"rate", "EUR", "USD", "1.1"});
    ok({"--yes",  "add",        "Cash",      "-12.50",    "--date",   "2024-03-01", "--desc",
        "Gas",    "--category", "Auto:Fuel", "--project", "Trip:Car", "--note",     "two\nlines",
        "--mark", "2",          "--contact", "Shop",      "--number", "7"});
    ok({"add", "Cash", "-30", "--date", "2024-03-02", "--desc", "To savings", "--category", "[Savings]",
        "--rate", "1.2", "--mark", "1"});
    ok({"--yes",    "plan-add",   "-50",    "EUR",       "--desc",    "Gym %m",
        "--start",  "2024-03-03", "--rule", "3",         "--ongoing", "--note",
        "month %m", "--contact",  "Club",   "--number",  "9",         "--mark",
        "1",        "--category", "Sport",  "--project", "Trip",      "--reminder-days",
        "2"});
    ok({"plan-add", "-500", "USD", "--desc", "Rent", "--start", "2024-04-01", "--rule", "3", "--entries",
        "12"});
    ok({"future", "--horizon", "2024-06-30"});
    // Part of the gym's first occurrence, posted into the dollar account.
    const QJsonObject cash = json({"register", "Cash"}).object();
    qint64 gymRow = -1;
    for (const QJsonValue row : cash.value(QStringLiteral("future")).toArray()) {
        if (row.toObject().value(QStringLiteral("planner_id")).toInt() == 1 && gymRow < 0)
            gymRow = row.toObject().value(QStringLiteral("row")).toInteger();
    }
    ASSERT_GE(gymRow, 0);
    ok({"--yes", "post", "Cash", QString::number(gymRow), "--amount", "-20", "--rate", "1.1"});
    ok({"projects"});

    const QString first = file(QStringLiteral("first.tyb"));
    ok({"backup", first});
    // The chosen folder and file are remembered for the next backup or restore.
    {
        QSettings ini(QDir(m_dir.path()).filePath(QStringLiteral("Tallyra.ini")), QSettings::IniFormat);
        EXPECT_EQ(ini.value(QStringLiteral("Options/BackUp Folder")).toString(), m_files.path() + u'/');
        EXPECT_EQ(ini.value(QStringLiteral("Options/BackUp File")).toString(), QStringLiteral("first.tyb"));
    }
    QStringList views;
    for (const char* view : {"accounts", "plans", "categories", "projects", "currencies"})
        views << ok({"--json", QString::fromLatin1(view)});
    const QJsonValue cashRows = json({"register", "Cash"}).object().value(QStringLiteral("transactions"));
    const QJsonValue savingsRows =
        json({"register", "Savings"}).object().value(QStringLiteral("transactions"));
    ok({"add", "Cash", "1", "--date", "2024-03-05", "--desc", "later"});
    ok({"default-currency", "EUR"});

    const CliResult r = cli({"--yes", "restore", first});
    ASSERT_EQ(r.exit, 0) << r.err.toStdString();
    expectCheckPasses();
    QStringList after;
    for (const char* view : {"accounts", "plans", "categories", "projects", "currencies"})
        after << ok({"--json", QString::fromLatin1(view)});
    EXPECT_EQ(after, views);
    EXPECT_EQ(json({"register", "Cash"}).object().value(QStringLiteral("transactions")), cashRows);
    EXPECT_EQ(json({"register", "Savings"}).object().value(QStringLiteral("transactions")), savingsRows);
    // The future list is rebuilt from the plans.
    EXPECT_FALSE(json({"future"}).object().value(QStringLiteral("entries")).toArray().isEmpty());

    const QString second = file(QStringLiteral("second.tyb"));
    ok({"backup", second});
    const QByteArray a = bytesOf(first);
    const QByteArray b = bytesOf(second);
    ASSERT_GT(a.size(), 13);
    EXPECT_EQ(a.mid(13).toHex(' ').toStdString(), b.mid(13).toHex(' ').toStdString());
}

TEST_F(InterchangeCliTest, RestoreAsksFirstAndADamagedFileChangesNothing)
{
    makeBook();
    const QString good = file(QStringLiteral("good.tyb"));
    ok({"backup", good});
    ok({"add", "Cash", "1", "--date", "2024-03-05", "--desc", "kept"});
    const QString before = ok({"--json", "register", "Cash"});

    CliResult r = cli({"restore", good});
    EXPECT_EQ(r.exit, 1);
    EXPECT_TRUE(
        r.err.contains(QStringLiteral("All data will be lost! Do you wish to continue restore process?")));

    const QString cut = file(QStringLiteral("cut.tyb"));
    QFile out(cut);
    ASSERT_TRUE(out.open(QIODevice::WriteOnly));
    out.write(bytesOf(good).chopped(1));
    out.close();
    r = cli({"--yes", "restore", cut});
    EXPECT_EQ(r.exit, 1);
    EXPECT_TRUE(r.err.contains(QStringLiteral("The restore process was NOT completed.")))
        << r.err.toStdString();

    r = cli({"--yes", "restore", file(QStringLiteral("missing.tyb"))});
    EXPECT_EQ(r.exit, 1);
    EXPECT_TRUE(r.err.contains(QStringLiteral("could not be read"))) << r.err.toStdString();

    const QString text = file(QStringLiteral("notes.tyb"));
    QFile notes(text);
    ASSERT_TRUE(notes.open(QIODevice::WriteOnly));
    notes.write("just some notes\n");
    notes.close();
    r = cli({"--yes", "restore", text});
    EXPECT_EQ(r.exit, 1);
    EXPECT_TRUE(r.err.contains(QStringLiteral("is not a backup file"))) << r.err.toStdString();
    EXPECT_FALSE(r.err.contains(QStringLiteral("NOT completed"))) << "nothing was started";
    EXPECT_EQ(ok({"--json", "register", "Cash"}), before);
    expectCheckPasses();
}

TEST_F(InterchangeCliTest, RestoreWaitsForTheReportProgram)
{
    makeBook();
    const QString good = file(QStringLiteral("good.tyb"));
    ok({"backup", good});
    QLockFile reportProgram(QDir(m_dir.path()).filePath(QStringLiteral("sumora.lock")));
    ASSERT_TRUE(reportProgram.tryLock(0));
    const CliResult r = cli({"--yes", "restore", good});
    EXPECT_EQ(r.exit, 1);
    EXPECT_TRUE(r.err.contains(QStringLiteral("Please, quit programm \"Sumora\""))) << r.err.toStdString();
    reportProgram.unlock();
    EXPECT_EQ(cli({"--yes", "restore", good}).exit, 0);
}

TEST_F(InterchangeCliTest, ExportGoesOnWhereTheLastOneEnded)
{
    makeBook();
    const QString qif = file(QStringLiteral("cash.qif"));
    CliResult r = cli({"export", "Cash", qif, "--from", "2024-03-01", "--to", "2024-03-02"});
    EXPECT_EQ(r.exit, 0) << r.err.toStdString();
    EXPECT_TRUE(r.err.contains(QStringLiteral("Export Succesful.")));
    EXPECT_EQ(linesOf(qif),
              (QStringList{"!Type:Cash", "D3/ 1'24", "PGas", "Mtwo lines", "T-12.50", "LAuto:Fuel/Trip", "C*",
                           "^", "D3/ 2'24", "PTo savings", "T-30.00", "L[Savings]", "^", ""}));

    // Without --from: the day after the last end, up to today.
    const QString text = file(QStringLiteral("cash.txt"));
    ok({"export", "Cash", text, "--format", "text"});
    EXPECT_EQ(linesOf(text),
              (QStringList{"Date\tDescription\tNote\tAmount\tCategory\tProject\tCleared\tNum\tContact",
                           "3/4/2024\tRefund\t \t7.00\t\t\t \t42\tShop",
                           "3/5/2024\tOpening Balance\t \t100.00\t\t\tX\t \t "}));

    ok({"export", "Cash", qif, "--from", "2024-03-04", "--to", "2024-03-04", "--full-year"});
    EXPECT_EQ(linesOf(qif)[1], QStringLiteral("D3/4/2024"));
}

TEST_F(InterchangeCliTest, FailedExportMovesNothingOn)
{
    makeBook();
    const CliResult r = cli({"export", "Cash", file(QStringLiteral("no/such/folder/cash.qif"))});
    EXPECT_EQ(r.exit, 1);
    EXPECT_TRUE(r.err.contains(QStringLiteral("Export Failure.\nBad File Name or Not Enough Memory.")))
        << r.err.toStdString();
    // The next export still starts at the beginning.
    const QString qif = file(QStringLiteral("cash.qif"));
    ok({"export", "Cash", qif, "--format", "unicode"});
    EXPECT_EQ(bytesOf(qif).count(QByteArray("\r\0\n\0", 4)), 5);

    const std::vector<QStringList> usage = {{"export", "Cash"},
                                            {"export", "Cash", qif, "--format", "csv"},
                                            {"export", "Cash", qif, "--from", "2024-13-01"}};
    for (const QStringList& arguments : usage)
        EXPECT_EQ(cli(arguments).exit, 2) << arguments.join(u' ').toStdString();
    EXPECT_EQ(cli({"export", "Nobody", qif}).exit, 1);
}

// The longest text a backup can carry is the longest a command takes: one
// character more is refused before anything is written, so every book stays
// one that can be backed up and restored.
TEST_F(InterchangeCliTest, TextsABackupCannotCarryAreRefusedWhenTyped)
{
    ok({"init", "Cash", "USD"});
    const QString longest(65535, u'n');
    const QString tooLong(65536, u'n');
    ok({"add", "Cash", "-1", "--date", "2024-03-01", "--desc", "Long", "--note", longest});
    const std::vector<QStringList> refused = {
        {"add", "Cash", "-2", "--date", "2024-03-02", "--note", tooLong},
        {"plan-add", "-5", "USD", "--desc", tooLong, "--start", "2024-04-01"},
        {"account-edit", "Cash", "--note", tooLong},
        {"--yes", "category-add", tooLong},
    };
    const QString before = ok({"--json", "register", "Cash"});
    for (const QStringList& arguments : refused) {
        const CliResult r = cli(arguments);
        EXPECT_EQ(r.exit, 1) << arguments.first().toStdString();
        EXPECT_TRUE(r.err.contains(QStringLiteral("This text is too long.")))
            << r.err.left(200).toStdString();
    }
    EXPECT_EQ(ok({"--json", "register", "Cash"}), before);
    EXPECT_EQ(ok({"--json", "plans"}).trimmed(), QStringLiteral("[]"));

    const QString backup = file(QStringLiteral("long.tyb"));
    ok({"backup", backup});
    ok({"add", "Cash", "9", "--date", "2024-03-03", "--desc", "later"});
    ok({"--yes", "restore", backup});
    const QJsonArray rows = json({"register", "Cash"}).object()[QStringLiteral("transactions")].toArray();
    ASSERT_EQ(rows.size(), 1);
    EXPECT_EQ(rows[0].toObject()[QStringLiteral("note")].toString(), longest);
}

}  // namespace
