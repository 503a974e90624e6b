#include "reports/ui/SingleInstance.h"

#include <QSignalSpy>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

TEST(SingleInstanceTest, ASecondRunOnTheBookIsRefusedAndRaisesTheFirst)
{
    QTemporaryDir book;
    std::unique_ptr<SingleInstance> first = SingleInstance::claim(book.path());
    ASSERT_NE(first, nullptr);
    QSignalSpy raised(first.get(), &SingleInstance::raiseRequested);
    // The second run asks over the socket; the first answers from its event loop.
    EXPECT_EQ(SingleInstance::claim(book.path()), nullptr);
    EXPECT_TRUE(raised.wait(2000));
    EXPECT_EQ(raised.count(), 1);

    QTemporaryDir other;
    EXPECT_NE(SingleInstance::claim(other.path()), nullptr);
    first.reset();
    EXPECT_NE(SingleInstance::claim(book.path()), nullptr);
}

TEST(SingleInstanceTest, EachProgramOnABookHearsOnlyItsOwnRaiseRequests)
{
    QTemporaryDir book;
    std::unique_ptr<SingleInstance> main = SingleInstance::listen(QStringLiteral("tallyra"), book.path());
    std::unique_ptr<SingleInstance> reports = SingleInstance::claim(book.path());
    ASSERT_NE(reports, nullptr);
    QSignalSpy mainRaised(main.get(), &SingleInstance::raiseRequested);
    QSignalSpy reportsRaised(reports.get(), &SingleInstance::raiseRequested);
    EXPECT_TRUE(
        SingleInstance::askToRaise(SingleInstance::serverName(QStringLiteral("tallyra"), book.path())));
    EXPECT_TRUE(mainRaised.wait(2000));
    EXPECT_EQ(reportsRaised.count(), 0);
    main.reset();
    EXPECT_FALSE(
        SingleInstance::askToRaise(SingleInstance::serverName(QStringLiteral("tallyra"), book.path())));
}

// A file given to a second run reaches the first as an absolute path, whatever
// the characters of its name; a plain second start asks for no file.
TEST(SingleInstanceTest, ASecondRunHandsItsFileToTheFirst)
{
    QTemporaryDir book;
    std::unique_ptr<SingleInstance> first = SingleInstance::claim(book.path());
    ASSERT_NE(first, nullptr);
    QSignalSpy raised(first.get(), &SingleInstance::raiseRequested);
    QSignalSpy opened(first.get(), &SingleInstance::openRequested);
    const QString file = book.filePath(QStringLiteral("Käse & Brot.tyf"));
    EXPECT_EQ(SingleInstance::claim(book.path(), file), nullptr);
    EXPECT_TRUE(opened.wait(2000));
    ASSERT_EQ(opened.count(), 1);
    EXPECT_EQ(opened.at(0).at(0).toString(), file);
    EXPECT_EQ(raised.count(), 1);

    EXPECT_EQ(SingleInstance::claim(book.path()), nullptr);
    EXPECT_TRUE(raised.wait(2000));
    EXPECT_EQ(opened.count(), 1);
}

}  // namespace
