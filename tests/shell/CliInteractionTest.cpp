#include "shell/CliInteraction.h"

#include <gtest/gtest.h>

namespace {

struct ErrorStream {
    QString err;
    QTextStream stream{&err};
};

TEST(CliInteraction, QuestionsAreAnsweredNoAndShownWithoutYes)
{
    ErrorStream run;
    CliInteraction interaction(run.stream, false, false);
    EXPECT_FALSE(interaction.askYesNo(QStringLiteral("Delete the account?"), QStringLiteral("Tallyra")));
    EXPECT_TRUE(run.err.startsWith(QStringLiteral("Delete the account?\n"))) << run.err.toStdString();
    EXPECT_TRUE(run.err.contains(QStringLiteral("--yes")));
}

TEST(CliInteraction, QuestionsAreAnsweredYesQuietlyWithYes)
{
    ErrorStream run;
    CliInteraction interaction(run.stream, true, false);
    EXPECT_TRUE(interaction.askYesNo(QStringLiteral("Delete the account?")));
    EXPECT_TRUE(run.err.isEmpty()) << run.err.toStdString();

    ErrorStream verbose;
    CliInteraction told(verbose.stream, true, true);
    EXPECT_TRUE(told.askYesNo(QStringLiteral("Delete the account?")));
    EXPECT_TRUE(verbose.err.startsWith(QStringLiteral("Delete the account?\n")));
}

TEST(CliInteraction, MessagesAlwaysReachTheErrorStream)
{
    for (bool verbose : {false, true}) {
        ErrorStream run;
        CliInteraction interaction(run.stream, false, verbose);
        interaction.showMessage(QStringLiteral("Text not found."), Interaction::Icon::Exclamation);
        interaction.showMessage(QStringLiteral("line one\nline two"), Interaction::Icon::Error,
                                QStringLiteral("T"));
        EXPECT_EQ(run.err, QStringLiteral("Text not found.\nline one\nline two\n"));
    }
}

TEST(CliInteraction, StatusTextsOnlyWhenVerbose)
{
    ErrorStream quiet;
    CliInteraction a(quiet.stream, false, false);
    a.showStatus(QStringLiteral("Opening tables..."));
    EXPECT_TRUE(quiet.err.isEmpty());

    ErrorStream verbose;
    CliInteraction b(verbose.stream, false, true);
    b.showStatus(QStringLiteral("Opening tables..."));
    EXPECT_EQ(verbose.err, QStringLiteral("Opening tables...\n"));
}

TEST(CliInteraction, ProgressIsSilentAndNeverStops)
{
    ErrorStream run;
    CliInteraction interaction(run.stream, true, true);
    interaction.progressLabel(QStringLiteral("Importing"));
    interaction.progressRange(100);
    for (qint64 i = 0; i <= 100; ++i) {
        interaction.progressStep(i);
        EXPECT_FALSE(interaction.progressStopRequested());
    }
    EXPECT_TRUE(run.err.isEmpty());
}

}  // namespace
