#include "platform/ui/HelpBrowser.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

void touch(const QString& path)
{
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
}

TEST(HelpBrowserTest, FindsThePageBesideTheProgramBeforeTheInstalledOne)
{
    QTemporaryDir root;
    const QString bin = root.filePath(QStringLiteral("bin"));
    QDir().mkpath(bin);
    const QString name = QStringLiteral("tallyra.html");
    EXPECT_TRUE(HelpBrowser::find(bin, name).isEmpty());

    const QString installed = root.filePath(QStringLiteral("share/tallyra/tallyra.html"));
    touch(installed);
    EXPECT_EQ(HelpBrowser::find(bin, name), QFileInfo(installed).canonicalFilePath());

    const QString beside = root.filePath(QStringLiteral("bin/tallyra.html"));
    touch(beside);
    EXPECT_EQ(HelpBrowser::find(bin, name), QFileInfo(beside).canonicalFilePath());
}

}  // namespace
