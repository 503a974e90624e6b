#include "platform/InstanceLock.h"

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

TEST(InstanceLockTest, FolderThatDoesNotExistFails)
{
    QTemporaryDir dir;
    QString error;
    EXPECT_FALSE(InstanceLock::acquire(dir.filePath(QStringLiteral("missing/deeper")), QStringLiteral("x.lock"), &error));
    EXPECT_FALSE(error.isEmpty());
}

}  // namespace
