#include "shell/CliRunner.h"

#include "shell/CliExit.h"

#include <QDir>
#include <QFile>
#include <QHash>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

// What the probe command saw of its context.
struct Seen {
    int runs = 0;
    QString book;
    LocalTime now;
    QString locale;
    QChar decimal;
    QString codePage;
    bool answer = false;
    QStringList arguments;
    bool json = false;
};

class CliRunnerTest : public ::testing::Test {
protected:
    CliRunnerTest()
    {
        m_commands.add({QStringLiteral("probe"), QStringLiteral("probe [ARG]..."),
                        QStringLiteral("looks around"), [this](CliContext& c) {
                            ++m_seen.runs;
                            m_seen.book = c.book.path();
                            m_seen.now = c.clock.now();
                            m_seen.locale = c.locale.name();
                            m_seen.decimal = c.localeValues.decimalSeparator;
                            m_seen.codePage = c.codePage.name();
                            c.interaction.showStatus(QStringLiteral("Opening tables..."));
                            m_seen.answer = c.interaction.askYesNo(QStringLiteral("Go on?"));
                            m_seen.arguments = c.arguments;
                            m_seen.json = c.options.json;
                            c.out << "probed\n";
                            return m_status;
                        }});
        m_commands.add(
            {QStringLiteral("other"), QStringLiteral("other"), QString(), [](CliContext&) { return 0; }});
    }

    int run(std::initializer_list<const char*> items)
    {
        QStringList arguments;
        for (const char* item : items)
            arguments << QString::fromUtf8(item);
        m_out.clear();
        m_err.clear();
        QTextStream out(&m_out);
        QTextStream err(&m_err);
        CliRunner runner(m_commands, out, err);
        return runner.run(arguments,
                          [this](const char* name) { return m_env.value(QString::fromLatin1(name)); });
    }

    QByteArray book() const { return m_dir.filePath(QStringLiteral("book")).toUtf8(); }

    QTemporaryDir m_dir;
    CliCommandTable m_commands;
    QHash<QString, QString> m_env;
    Seen m_seen;
    int m_status = CliDone;
    QString m_out;
    QString m_err;
};

TEST_F(CliRunnerTest, HelpListsTheOptionsAndCommands)
{
    EXPECT_EQ(run({"--help"}), CliDone);
    EXPECT_TRUE(m_out.startsWith(QStringLiteral("Usage: tallyra-cli"))) << m_out.toStdString();
    for (const char* line :
         {"\n  --data DIR", "\n  --now TIME", "\n  --codepage NAME", "\n  --yes", "\n  --password TEXT",
          "\n  --json", "\n  --locale NAME", "\n  probe [ARG]...\n      looks around\n", "\n  other\n"})
        EXPECT_TRUE(m_out.contains(QString::fromLatin1(line))) << line;
    EXPECT_LT(m_out.indexOf(QStringLiteral("  probe")), m_out.indexOf(QStringLiteral("  other")));
    EXPECT_TRUE(m_err.isEmpty());
    EXPECT_EQ(m_seen.runs, 0);
}

TEST_F(CliRunnerTest, BadUsageExitsWithTwoAndTouchesNothing)
{
    const QByteArray dir = book();
    struct Case {
        std::vector<const char*> arguments;
        const char* message;
    };
    const Case cases[] = {
        {{"--data", dir.constData()}, "missing command"},
        {{"--data", dir.constData(), "nosuch"}, "unknown command nosuch"},
        {{"--data", dir.constData(), "--bogus", "probe"}, "unknown option --bogus"},
        {{"--data", dir.constData(), "--now", "garbage", "probe"}, "malformed time garbage"},
        {{"--data", dir.constData(), "--now", "2003-02-29T00:00:00", "probe"}, "malformed time"},
        {{"--data", dir.constData(), "--locale", "xx_YY", "probe"}, "unknown locale xx_YY"},
        {{"--data", dir.constData(), "--codepage", "nope", "probe"}, "unknown code page nope"},
        {{"--data", dir.constData(), "--now", "garbage"}, "malformed time garbage"},
        {{"--data"}, "needs a value"},
    };
    for (const Case& c : cases) {
        QStringList arguments;
        for (const char* a : c.arguments)
            arguments << QString::fromUtf8(a);
        m_err.clear();
        QTextStream out(&m_out);
        QTextStream err(&m_err);
        CliRunner runner(m_commands, out, err);
        EXPECT_EQ(runner.run(arguments, [](const char*) { return QString(); }), CliBadUsage) << c.message;
        EXPECT_TRUE(m_err.contains(QString::fromLatin1(c.message))) << m_err.toStdString();
        EXPECT_TRUE(m_err.contains(QStringLiteral("Usage: tallyra-cli")));
    }
    EXPECT_EQ(m_seen.runs, 0);
    EXPECT_FALSE(QDir(QString::fromUtf8(dir)).exists());
}

TEST_F(CliRunnerTest, MalformedValuesFromTheEnvironmentAreBadUsageToo)
{
    const QByteArray dir = book();
    m_env.insert(QStringLiteral("TALLYRA_NOW"), QStringLiteral("yesterday"));
    EXPECT_EQ(run({"--data", dir.constData(), "probe"}), CliBadUsage);
    m_env.clear();
    m_env.insert(QStringLiteral("TALLYRA_LOCALE"), QStringLiteral("garbage"));
    EXPECT_EQ(run({"--data", dir.constData(), "probe"}), CliBadUsage);
    // The command line wins over the environment.
    EXPECT_EQ(run({"--data", dir.constData(), "--locale", "en_US", "probe"}), CliDone);
    EXPECT_EQ(m_seen.runs, 1);
}

TEST_F(CliRunnerTest, CommandRunsWithWhatTheOptionsSettled)
{
    const QByteArray dir = book();
    m_status = CliFailed;
    EXPECT_EQ(run({"--data", dir.constData(), "--locale", "de_DE", "--now", "2003-12-05T18:45:00.250",
                   "--codepage", "windows-1251", "--yes", "--json", "probe", "a", "--desc", "b"}),
              CliFailed);
    EXPECT_EQ(m_seen.runs, 1);
    EXPECT_EQ(m_seen.book, QString::fromUtf8(dir));
    EXPECT_TRUE(QDir(QString::fromUtf8(dir)).exists());
    EXPECT_EQ(m_seen.now, (LocalTime{2003, 12, 5, 18, 45, 0, 250}));
    EXPECT_EQ(m_seen.locale, QStringLiteral("de_DE"));
    EXPECT_EQ(m_seen.decimal, QLatin1Char(','));
    EXPECT_EQ(m_seen.codePage, QStringLiteral("windows-1251"));
    EXPECT_TRUE(m_seen.answer);
    EXPECT_TRUE(m_seen.json);
    EXPECT_EQ(m_seen.arguments,
              (QStringList{QStringLiteral("a"), QStringLiteral("--desc"), QStringLiteral("b")}));
    EXPECT_EQ(m_out, QStringLiteral("probed\n"));
    EXPECT_TRUE(m_err.isEmpty()) << m_err.toStdString();
}

TEST_F(CliRunnerTest, DefaultsComeFromTheEnvironment)
{
    const QByteArray dir = book();
    m_env.insert(QStringLiteral("TALLYRA_HOME"), QString::fromUtf8(dir));
    m_env.insert(QStringLiteral("TALLYRA_NOW"), QStringLiteral("2010-06-30T23:59:59"));
    m_env.insert(QStringLiteral("TALLYRA_LOCALE"), QStringLiteral("fr_FR"));
    m_env.insert(QStringLiteral("TALLYRA_VERBOSE"), QStringLiteral("1"));
    EXPECT_EQ(run({"probe"}), CliDone);
    EXPECT_EQ(m_seen.book, QString::fromUtf8(dir));
    EXPECT_EQ(m_seen.now, (LocalTime{2010, 6, 30, 23, 59, 59, 0}));
    EXPECT_EQ(m_seen.locale, QStringLiteral("fr_FR"));
    EXPECT_EQ(m_seen.codePage, QStringLiteral("windows-1252"));
    // Without --yes the question is shown and answered No; verbose shows status.
    EXPECT_FALSE(m_seen.answer);
    EXPECT_TRUE(m_err.contains(QStringLiteral("Opening tables...\n")));
    EXPECT_TRUE(m_err.contains(QStringLiteral("Go on?\n")));
}

TEST_F(CliRunnerTest, UnpinnedRunReadsTheRealClock)
{
    const QByteArray dir = book();
    EXPECT_EQ(run({"--data", dir.constData(), "probe"}), CliDone);
    EXPECT_GE(m_seen.now.year, 2024);
    EXPECT_TRUE(m_err.contains(QStringLiteral("Go on?\n")));
    EXPECT_FALSE(m_err.contains(QStringLiteral("Opening tables...")));
}

TEST_F(CliRunnerTest, BookFolderThatCannotBeMadeFails)
{
    const QString file = m_dir.filePath(QStringLiteral("plain"));
    QFile f(file);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.close();
    const QByteArray dir = (file + QStringLiteral("/book")).toUtf8();
    EXPECT_EQ(run({"--data", dir.constData(), "probe"}), CliFailed);
    EXPECT_TRUE(m_err.contains(QString::fromUtf8(dir))) << m_err.toStdString();
    EXPECT_EQ(m_seen.runs, 0);
}

TEST(CliCommandTable, NamesAreUnique)
{
    CliCommandTable table;
    EXPECT_TRUE(table.add(
        {QStringLiteral("accounts"), QStringLiteral("accounts"), {}, [](CliContext&) { return 0; }}));
    EXPECT_FALSE(table.add(
        {QStringLiteral("accounts"), QStringLiteral("accounts X"), {}, [](CliContext&) { return 1; }}));
    ASSERT_EQ(table.commands().size(), 1u);
    EXPECT_EQ(table.find(QStringLiteral("accounts"))->usage, QStringLiteral("accounts"));
    EXPECT_EQ(table.find(QStringLiteral("Accounts")), nullptr);
    EXPECT_EQ(table.find(QString()), nullptr);
}

TEST(CliCommandTable, EmptyTableSaysSoInTheHelp)
{
    EXPECT_TRUE(CliCommandTable().helpText().contains(QStringLiteral("Commands:\n  (none in this build)\n")));
}

}  // namespace
