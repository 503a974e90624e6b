#include "platform/InstanceLock.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

TEST(InstanceLockTest, SecondHolderIsRefusedUntilTheFirstLetsGo)
{
    QTemporaryDir dir;
    auto first = InstanceLock::acquire(dir.path(), QStringLiteral("x.lock"));
    ASSERT_TRUE(first);
    QString error;
    EXPECT_FALSE(InstanceLock::acquire(dir.path(), QStringLiteral("x.lock"), &error));
    EXPECT_FALSE(error.isEmpty());
    // Another lock file of the same folder is free.
    EXPECT_TRUE(InstanceLock::acquire(dir.path(), QStringLiteral("y.lock")));
    first.reset();
    EXPECT_TRUE(InstanceLock::acquire(dir.path(), QStringLiteral("x.lock")));
}

// A program killed between making its lock file and writing its process id
// into it leaves an empty file; it must not lock the book for ever.
TEST(InstanceLockTest, EmptyLockFileLeftByAKilledHolderIsTakenOver)
{
    QTemporaryDir dir;
    {
        QFile empty(dir.filePath(QStringLiteral("x.lock")));
        ASSERT_TRUE(empty.open(QIODevice::WriteOnly));
    }
    EXPECT_FALSE(InstanceLock::isHeld(dir.path(), QStringLiteral("x.lock")));
    {
        QFile empty(dir.filePath(QStringLiteral("x.lock")));
        ASSERT_TRUE(empty.open(QIODevice::WriteOnly));
    }
    auto lock = InstanceLock::acquire(dir.path(), QStringLiteral("x.lock"));
    ASSERT_TRUE(lock);
    EXPECT_TRUE(InstanceLock::isHeld(dir.path(), QStringLiteral("x.lock")));
    EXPECT_FALSE(InstanceLock::acquire(dir.path(), QStringLiteral("x.lock"))) << "a live holder keeps it";
}

TEST(InstanceLockTest, FolderThatDoesNotExistFails)
{
    QTemporaryDir dir;
    QString error;
    EXPECT_FALSE(InstanceLock::acquire(dir.filePath(QStringLiteral("missing/deeper")),
                                       QStringLiteral("x.lock"), &error));
    EXPECT_FALSE(error.isEmpty());
}

}  // namespace
