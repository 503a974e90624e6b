#include "shell/ReportLaunch.h"

#include "platform/InstanceLock.h"
#include "support/ScriptedInteraction.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

struct Starts {
    bool succeed = true;
    QStringList paths;
    QStringList books;
    ReportLaunch::Starter starter()
    {
        return [this](const QString& path, const QString& book) {
            paths << path;
            books << book;
            return succeed;
        };
    }
};

TEST(ReportLaunchTest, StartsTheProgramBesideThisOneOnTheSameBookUnlessOneHasTheBook)
{
    QTemporaryDir programs;
    QTemporaryDir book;
    ScriptedInteraction ui;
    Starts starts;
    EXPECT_EQ(ReportLaunch::run(programs.path(), book.path(), ui, starts.starter()),
              ReportLaunch::Outcome::Started);
    EXPECT_EQ(starts.paths, QStringList{programs.filePath(QStringLiteral("sumora"))});
    EXPECT_EQ(starts.books, QStringList{book.path()});
    EXPECT_TRUE(ui.messages.isEmpty());

    // A running report program keeps the book: no second copy starts.
    std::unique_ptr<InstanceLock> running =
        InstanceLock::acquire(book.path(), QString::fromLatin1(InstanceLock::ReportProgramFile));
    ASSERT_TRUE(running);
    EXPECT_EQ(ReportLaunch::run(programs.path(), book.path(), ui, starts.starter()),
              ReportLaunch::Outcome::AlreadyRunning);
    EXPECT_EQ(starts.paths.size(), 1);
    EXPECT_TRUE(ui.messages.isEmpty());
}

TEST(ReportLaunchTest, AProgramThatDoesNotStartIsNamedAsNotFound)
{
    QTemporaryDir programs;
    QTemporaryDir book;
    ScriptedInteraction ui;
    Starts starts;
    starts.succeed = false;
    EXPECT_EQ(ReportLaunch::run(programs.path(), book.path(), ui, starts.starter()),
              ReportLaunch::Outcome::NotFound);
    EXPECT_EQ(ui.messages, QStringList{QStringLiteral("'sumora' not found.")});
}

}  // namespace
