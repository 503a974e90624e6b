#include "platform/ProgramStart.h"

#include <QFile>
#include <QTemporaryDir>
#include <QThread>

#include <gtest/gtest.h>

namespace {

QString writeScript(const QTemporaryDir& dir, const QByteArray& body, bool executable)
{
    const QString path = dir.filePath(QStringLiteral("program"));
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("#!/bin/sh\n" + body);
    file.close();
    if (executable)
        file.setPermissions(file.permissions() | QFile::ExeOwner);
    return path;
}

TEST(ProgramStartTest, StartsTheProgramWithTheBookFolderInItsEnvironment)
{
    QTemporaryDir dir;
    const QString out = dir.filePath(QStringLiteral("seen"));
    const QString program =
        writeScript(dir,
                    "printf '%s' \"$TALLYRA_HOME\" > \"" + out.toUtf8() + ".part\" && mv \"" + out.toUtf8() +
                        ".part\" \"" + out.toUtf8() + "\"\n",
                    true);
    ASSERT_TRUE(ProgramStart::startDetached(program, QStringLiteral("/books/home")));
    for (int tries = 0; tries < 500 && !QFile::exists(out); ++tries)
        QThread::msleep(10);
    QFile seen(out);
    ASSERT_TRUE(seen.open(QIODevice::ReadOnly));
    EXPECT_EQ(seen.readAll(), QByteArray("/books/home"));
}

TEST(ProgramStartTest, AMissingOrNonExecutableFileDoesNotStart)
{
    QTemporaryDir dir;
    EXPECT_FALSE(ProgramStart::startDetached(dir.filePath(QStringLiteral("nothing")), dir.path()));
    EXPECT_FALSE(ProgramStart::startDetached(writeScript(dir, "exit 0\n", false), dir.path()));
    EXPECT_FALSE(ProgramStart::startDetached(dir.path(), dir.path()));
}

}  // namespace
