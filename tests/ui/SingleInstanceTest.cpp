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

}  // namespace
