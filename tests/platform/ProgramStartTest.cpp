#include "platform/ProgramStart.h"

#include <QDir>
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

// The program's own folder wins over the PATH; the PATH is searched only when
// the folder has no runnable copy.
TEST(ProgramStartTest, LooksInTheProgramsOwnFolderFirstThenOnThePath)
{
    QTemporaryDir own;
    QTemporaryDir onPath;
    QTemporaryDir empty;
    const QString fallback = writeScript(onPath, "exit 0\n", true);
    const QByteArray oldPath = qgetenv("PATH");
    qputenv("PATH", QFile::encodeName(onPath.path()));
    EXPECT_EQ(ProgramStart::locate(empty.path(), QStringLiteral("program")), fallback);

    const QString beside = writeScript(own, "exit 0\n", false);
    EXPECT_EQ(ProgramStart::locate(own.path(), QStringLiteral("program")), fallback)
        << "a copy that cannot run is passed over";
    QFile(beside).setPermissions(QFile(beside).permissions() | QFile::ExeOwner);
    EXPECT_EQ(ProgramStart::locate(own.path(), QStringLiteral("program")), beside);

    qputenv("PATH", QFile::encodeName(empty.path()));
    const QString missing = QDir(empty.path()).absoluteFilePath(QStringLiteral("program"));
    EXPECT_EQ(ProgramStart::locate(empty.path(), QStringLiteral("program")), missing);
    EXPECT_FALSE(ProgramStart::startDetached(missing, empty.path()));
    qputenv("PATH", oldPath);
}

}  // namespace
