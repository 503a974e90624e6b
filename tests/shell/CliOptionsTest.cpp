#include "shell/CliOptions.h"

#include <QHash>

#include <gtest/gtest.h>

namespace {

QStringList args(std::initializer_list<const char*> items)
{
    QStringList list;
    for (const char* item : items)
        list << QString::fromUtf8(item);
    return list;
}

CliOptions parsed(const QStringList& arguments)
{
    QString error;
    const std::optional<CliOptions> options = CliOptions::parse(arguments, &error);
    EXPECT_TRUE(options.has_value()) << arguments.join(u' ').toStdString() << ": " << error.toStdString();
    return options.value_or(CliOptions{});
}

TEST(CliOptions, ReadsEveryGlobalOption)
{
    const CliOptions o =
        parsed(args({"--data", "/b", "--locale", "de_DE", "--now", "2003-12-05T18:45:00", "--codepage",
                     "windows-1251", "--yes", "--password", "pw", "--json", "register", "1"}));
    EXPECT_EQ(o.dataDir, QStringLiteral("/b"));
    EXPECT_EQ(o.localeName, QStringLiteral("de_DE"));
    EXPECT_EQ(o.nowText, QStringLiteral("2003-12-05T18:45:00"));
    EXPECT_EQ(o.codePageName, QStringLiteral("windows-1251"));
    EXPECT_TRUE(o.yes);
    EXPECT_EQ(o.password, QStringLiteral("pw"));
    EXPECT_TRUE(o.json);
    EXPECT_FALSE(o.help);
    EXPECT_EQ(o.command, QStringLiteral("register"));
    EXPECT_EQ(o.arguments, args({"1"}));
}

TEST(CliOptions, ValuesMayFollowAnEqualsSign)
{
    const CliOptions o = parsed(args({"--data=/x=y", "--password=", "--locale=fr_FR", "accounts"}));
    EXPECT_EQ(o.dataDir, QStringLiteral("/x=y"));
    EXPECT_EQ(o.password, QString());
    EXPECT_EQ(o.localeName, QStringLiteral("fr_FR"));
    EXPECT_EQ(o.command, QStringLiteral("accounts"));
}

TEST(CliOptions, CommandArgumentsPassUntouched)
{
    const CliOptions o = parsed(args({"--yes", "add", "1", "-12.50", "--desc", "Rent", "--json"}));
    EXPECT_EQ(o.command, QStringLiteral("add"));
    EXPECT_EQ(o.arguments, args({"1", "-12.50", "--desc", "Rent", "--json"}));
    EXPECT_FALSE(o.json);
}

TEST(CliOptions, DoubleDashEndsTheOptions)
{
    const CliOptions o = parsed(args({"--yes", "--", "--odd-command", "x"}));
    EXPECT_EQ(o.command, QStringLiteral("--odd-command"));
    EXPECT_EQ(o.arguments, args({"x"}));
}

TEST(CliOptions, HelpAndNoCommand)
{
    EXPECT_TRUE(parsed(args({"--help"})).help);
    EXPECT_TRUE(parsed(args({"-h"})).help);
    EXPECT_TRUE(parsed(args({"--data", "/b", "--help", "accounts"})).help);
    const CliOptions none = parsed({});
    EXPECT_TRUE(none.command.isEmpty());
    EXPECT_FALSE(none.password.has_value());
    EXPECT_FALSE(none.yes);
}

TEST(CliOptions, RejectsBadUsage)
{
    const QStringList cases[] = {
        args({"--bogus"}),
        args({"-x", "accounts"}),
        args({"--yes=1", "accounts"}),
        args({"--data"}),
        args({"--now"}),
        args({"--password"}),
        args({"--now", ""}),
        args({"--data=", "accounts"}),
        args({"--locale="}),
        args({"--codepage", "", "accounts"}),
        args({"--JSON", "accounts"}),
    };
    for (const QStringList& arguments : cases) {
        QString error;
        EXPECT_FALSE(CliOptions::parse(arguments, &error).has_value()) << arguments.join(u' ').toStdString();
        EXPECT_FALSE(error.isEmpty());
    }
}

TEST(CliOptions, EnvironmentFillsOnlyWhatTheCommandLineLeftOpen)
{
    const QHash<QString, QString> env = {
        {QStringLiteral("TALLYRA_LOCALE"), QStringLiteral("de_DE")},
        {QStringLiteral("TALLYRA_NOW"), QStringLiteral("2001-01-01T00:00:00")}};
    const EnvironmentLookup lookup = [&env](const char* name) {
        return env.value(QString::fromLatin1(name));
    };

    CliOptions open = parsed(args({"accounts"}));
    open.fillFromEnvironment(lookup);
    EXPECT_EQ(open.localeName, QStringLiteral("de_DE"));
    EXPECT_EQ(open.nowText, QStringLiteral("2001-01-01T00:00:00"));

    CliOptions given = parsed(args({"--locale", "fr_FR", "--now", "2003-12-05T18:45:00", "accounts"}));
    given.fillFromEnvironment(lookup);
    EXPECT_EQ(given.localeName, QStringLiteral("fr_FR"));
    EXPECT_EQ(given.nowText, QStringLiteral("2003-12-05T18:45:00"));
}

}  // namespace
