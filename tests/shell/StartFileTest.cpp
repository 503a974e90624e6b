#include "shell/StartFile.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <utility>
#include <vector>

namespace {

using Kind = StartFile::Kind;

class StartFileTest : public ::testing::Test {
protected:
    QString write(const char* name, const QByteArray& bytes)
    {
        const QString path = m_dir.filePath(QString::fromUtf8(name));
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        return path;
    }

    QTemporaryDir m_dir;
};

// The kind is read from the content: a name alone never makes a file one
// the program opens, and a right file under another name is still taken.
TEST_F(StartFileTest, TheContentDecidesTheKind)
{
    const std::initializer_list<Kind> all{Kind::Backup, Kind::Qif, Kind::Filter};
    EXPECT_EQ(StartFile::classify(write("f.tyf", QByteArray("tyf\x01\x01\xFF", 6)), all).kind, Kind::Filter);
    EXPECT_EQ(StartFile::classify(write("renamed.dat", QByteArray("tyf\x01\x01\xFF", 6)), all).kind,
              Kind::Filter);
    EXPECT_EQ(StartFile::classify(write("bank.qif", "!Type:Bank\nD3/5/2024\nT-1.00\n^\n"), all).kind,
              Kind::Qif);
    EXPECT_EQ(StartFile::classify(write("bom.QIF", "\xEF\xBB\xBF\r\n  !Account\nNCash\n^\n"), all).kind,
              Kind::Qif);
    EXPECT_EQ(StartFile::classify(write("book.tyb", QByteArray("\x01\x01\x03\x00\x00", 5)), all).kind,
              Kind::Backup);

    // Look-alikes: a text that only starts with "!", a backup's first byte
    // under another name, an empty file, a filter without its version byte.
    const std::vector<std::pair<const char*, QByteArray>> lookAlikes{
        {"bang.qif", "! not a header\n"},
        {"backup.bin", QByteArray("\x01\x01\x03\x00\x00", 5)},
        {"empty.tyb", QByteArray()},
        {"short.tyf", "tyf"}};
    for (const auto& [name, bytes] : lookAlikes) {
        const StartFile::Result r = StartFile::classify(write(name, bytes), all);
        EXPECT_FALSE(r.kind) << name;
        EXPECT_TRUE(
            r.message.startsWith(QStringLiteral("The file ") + m_dir.filePath(QString::fromUtf8(name))))
            << r.message.toStdString();
    }
}

TEST_F(StartFileTest, AFileTheProgramDoesNotOpenIsNamedWithWhatItWouldOpen)
{
    const QString filter = write("report.tyf", QByteArray("tyf\x01\x01\xFF", 6));
    const StartFile::Result r = StartFile::classify(filter, {Kind::Qif, Kind::Backup});
    EXPECT_FALSE(r.kind);
    EXPECT_EQ(r.message,
              QStringLiteral("The file %1 is not a QIF file (.qif) or a Tallyra backup (.tyb).").arg(filter));

    const StartFile::Result folder = StartFile::classify(m_dir.path(), {Kind::Filter});
    EXPECT_FALSE(folder.kind);
    EXPECT_EQ(folder.message, QStringLiteral("The file %1 is not a report filter (.tyf).").arg(m_dir.path()));
}

TEST_F(StartFileTest, AMissingOrUnreadableFileIsSaidSo)
{
    const QString missing = m_dir.filePath(QStringLiteral("gone.qif"));
    const StartFile::Result gone = StartFile::classify(missing, {Kind::Qif});
    EXPECT_FALSE(gone.kind);
    EXPECT_EQ(gone.message, QStringLiteral("The file %1 does not exist.").arg(missing));

    const QString locked = write("locked.qif", "!Type:Bank\n");
    ASSERT_TRUE(QFile::setPermissions(locked, QFileDevice::WriteOwner));
    if (QFile probe(locked); probe.open(QIODevice::ReadOnly))
        GTEST_SKIP() << "this user reads any file (root)";
    const StartFile::Result unreadable = StartFile::classify(locked, {Kind::Qif});
    EXPECT_FALSE(unreadable.kind);
    EXPECT_EQ(unreadable.message, QStringLiteral("The file %1 cannot be read.").arg(locked));
}

}  // namespace
