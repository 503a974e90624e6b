#include "platform/BookFolder.h"

#include <QDir>
#include <QFileInfo>

QString BookFolder::locate(const QString& explicitDir)
{
    return choose(explicitDir, qEnvironmentVariable("TALLYRA_HOME"), qEnvironmentVariable("XDG_DATA_HOME"),
                  homeFolder());
}

QString BookFolder::choose(const QString& explicitDir, const QString& tallyraHome, const QString& xdgDataHome,
                           const QString& home)
{
    QString dir;
    if (!explicitDir.isEmpty())
        dir = explicitDir;
    else if (!tallyraHome.isEmpty())
        dir = tallyraHome;
    else if (!xdgDataHome.isEmpty() && QDir::isAbsolutePath(xdgDataHome))
        dir = xdgDataHome + u'/' + QLatin1String(VendorFolder);
    else
        dir = home + QLatin1String("/.local/share/") + QLatin1String(VendorFolder);
    return QDir::cleanPath(QDir::current().absoluteFilePath(dir));
}

std::optional<BookFolder> BookFolder::open(const QString& dir, QString* error)
{
    const QString path = QDir::cleanPath(QDir::current().absoluteFilePath(dir));
    if (!QDir().mkpath(path) || !QFileInfo(path).isDir()) {
        if (error)
            *error = QStringLiteral("Cannot create the book folder %1").arg(path);
        return std::nullopt;
    }
    return BookFolder(path);
}

QString BookFolder::storePath() const
{
    return filePath(QStringLiteral("tallyra.db"));
}

QString BookFolder::mainSettingsPath() const
{
    return filePath(QStringLiteral("Tallyra.ini"));
}

QString BookFolder::reportSettingsPath() const
{
    return filePath(QStringLiteral("Sumora.ini"));
}

QString BookFolder::contactsPath() const
{
    return filePath(QStringLiteral("contacts.vcf"));
}

QString BookFolder::filePath(const QString& name) const
{
    return m_path + u'/' + name;
}

QString BookFolder::homeFolder()
{
    return QDir::homePath();
}

QString BookFolder::resolveFolderSetting(const QString& value)
{
    if (value.isEmpty() || value == QLatin1String("\\"))
        return homeFolder();
    return value;
}
