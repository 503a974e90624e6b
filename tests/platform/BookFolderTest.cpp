#include "platform/BookFolder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

struct ChooseCase {
    const char* explicitDir;
    const char* tallyraHome;
    const char* xdgDataHome;
    const char* expected;
};

TEST(BookFolder, ChoosesTheFirstPlaceThatIsGiven)
{
    const ChooseCase cases[] = {
        {"/books/a", "/env/home", "/xdg", "/books/a"},
        {"", "/env/home", "/xdg", "/env/home"},
        {"", "", "/xdg", "/xdg/Brenfield"},
        {"", "", "", "/home/u/.local/share/Brenfield"},
        // A relative XDG folder is not to be used.
        {"", "", "xdg", "/home/u/.local/share/Brenfield"},
        {"/books/a/../b/", "", "", "/books/b"},
        {"", "/env//home/", "", "/env/home"},
    };
    for (const ChooseCase& c : cases) {
        EXPECT_EQ(BookFolder::choose(QString::fromLatin1(c.explicitDir), QString::fromLatin1(c.tallyraHome),
                                     QString::fromLatin1(c.xdgDataHome), QStringLiteral("/home/u")),
                  QString::fromLatin1(c.expected))
            << c.explicitDir << " | " << c.tallyraHome << " | " << c.xdgDataHome;
    }
}

TEST(BookFolder, RelativeFoldersAreTakenFromTheWorkingFolder)
{
    const QString chosen =
        BookFolder::choose(QStringLiteral("books/mine"), {}, {}, QStringLiteral("/home/u"));
    EXPECT_EQ(chosen, QDir::current().absoluteFilePath(QStringLiteral("books/mine")));
}

TEST(BookFolder, OpenCreatesAMissingFolderWithItsParents)
{
    QTemporaryDir temp;
    ASSERT_TRUE(temp.isValid());
    const QString dir = temp.filePath(QStringLiteral("a/b/book"));
    QString error;
    const std::optional<BookFolder> book = BookFolder::open(dir, &error);
    ASSERT_TRUE(book.has_value()) << error.toStdString();
    EXPECT_TRUE(QFileInfo(dir).isDir());
    EXPECT_EQ(book->path(), dir);
    EXPECT_EQ(book->storePath(), dir + QStringLiteral("/tallyra.db"));
    EXPECT_EQ(book->mainSettingsPath(), dir + QStringLiteral("/Tallyra.ini"));
    EXPECT_EQ(book->reportSettingsPath(), dir + QStringLiteral("/Sumora.ini"));
    EXPECT_EQ(book->contactsPath(), dir + QStringLiteral("/contacts.vcf"));
    // An existing folder opens again as it is.
    EXPECT_TRUE(BookFolder::open(dir).has_value());
}

TEST(BookFolder, OpenFailsWhereAFileStands)
{
    QTemporaryDir temp;
    ASSERT_TRUE(temp.isValid());
    const QString file = temp.filePath(QStringLiteral("plain"));
    QFile f(file);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.close();
    for (const QString& dir : {file, file + QStringLiteral("/book")}) {
        QString error;
        EXPECT_FALSE(BookFolder::open(dir, &error).has_value()) << dir.toStdString();
        EXPECT_TRUE(error.contains(dir)) << error.toStdString();
    }
}

TEST(BookFolder, ABackslashFolderSettingMeansHome)
{
    EXPECT_EQ(BookFolder::resolveFolderSetting(QStringLiteral("\\")), BookFolder::homeFolder());
    EXPECT_EQ(BookFolder::resolveFolderSetting(QString()), BookFolder::homeFolder());
    EXPECT_EQ(BookFolder::resolveFolderSetting(QStringLiteral("/srv/backups")),
              QStringLiteral("/srv/backups"));
    EXPECT_EQ(BookFolder::resolveFolderSetting(QStringLiteral("\\\\")), QStringLiteral("\\\\"));
    EXPECT_FALSE(BookFolder::homeFolder().isEmpty());
}

}  // namespace
