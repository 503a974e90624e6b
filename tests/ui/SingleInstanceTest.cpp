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

}  // namespace
