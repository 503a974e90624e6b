#include "platform/ui/HelpBrowser.h"

#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QUrl>

QStringList HelpBrowser::candidates(const QString& programFolder, const QString& pageName)
{
    const QDir dir(programFolder);
    return {dir.filePath(pageName), dir.filePath(QStringLiteral("../share/tallyra/") + pageName),
            dir.filePath(QStringLiteral("../share/doc/tallyra/") + pageName)};
}

QString HelpBrowser::find(const QString& programFolder, const QString& pageName)
{
    for (const QString& path : candidates(programFolder, pageName))
        if (QFileInfo(path).isFile())
            return QFileInfo(path).canonicalFilePath();
    return {};
}

bool HelpBrowser::open(const QString& page, const QString& anchor)
{
    QUrl url = QUrl::fromLocalFile(page);
    url.setFragment(anchor);
    return QDesktopServices::openUrl(url);
}
