#include "platform/SettingsFile.h"

#include <QSettings>
#include <QStringList>
#include <QUrl>

#include <limits>

namespace {

// The file keeps 32-bit values; a value written unsigned (as a registry
// DWORD is often shown) reads back as the same 32 bits.
std::optional<qint32> thirtyTwoBits(const QString& text)
{
    bool ok = false;
    const qint64 value = text.trimmed().toLongLong(&ok);
    if (!ok || value < std::numeric_limits<qint32>::min() || value > std::numeric_limits<quint32>::max())
        return std::nullopt;
    return static_cast<qint32>(static_cast<quint32>(value));
}

// A value that holds an unquoted comma reads as a list; it was one text.
QString textOf(const QVariant& value)
{
    if (value.userType() == QMetaType::QStringList)
        return value.toStringList().join(QLatin1String(", "));
    return value.toString();
}

}  // namespace

SettingsFile::SettingsFile(const QString& path)
    : m_path(path), m_settings(std::make_unique<QSettings>(path, QSettings::IniFormat))
{
}

SettingsFile::~SettingsFile() = default;

QString SettingsFile::escapeName(const QString& name)
{
    QString out;
    out.reserve(name.size());
    for (QChar c : name) {
        if (c == u'%')
            out += QLatin1String("%25");
        else if (c == u'/')
            out += QLatin1String("%2F");
        else if (c == u'\\')
            out += QLatin1String("%5C");
        else
            out += c;
    }
    return out;
}

QStringList SettingsFile::keys(const QString& section) const
{
    m_settings->beginGroup(escapeName(section));
    const QStringList stored = m_settings->childKeys();
    m_settings->endGroup();
    QStringList out;
    for (const QString& key : stored)
        out.append(QUrl::fromPercentEncoding(key.toUtf8()));
    return out;
}

QString SettingsFile::settingsKey(const QString& section, const QString& key) const
{
    if (section.isEmpty())
        return escapeName(key);
    return escapeName(section) + u'/' + escapeName(key);
}

qint32 SettingsFile::readInt(const QString& section, const QString& key, qint32 fallback) const
{
    if (key.isEmpty())
        return fallback;
    const QVariant value = m_settings->value(settingsKey(section, key));
    if (!value.isValid())
        return fallback;
    return thirtyTwoBits(textOf(value)).value_or(fallback);
}

QString SettingsFile::readText(const QString& section, const QString& key, const QString& fallback) const
{
    if (key.isEmpty())
        return fallback;
    const QVariant value = m_settings->value(settingsKey(section, key));
    return value.isValid() ? textOf(value) : fallback;
}

bool SettingsFile::writeInt(const QString& section, const QString& key, qint32 value)
{
    return store(section, key, QString::number(value));
}

bool SettingsFile::writeInts(const QString& section, const std::vector<std::pair<QString, qint32>>& values)
{
    for (const auto& [key, value] : values) {
        if (key.isEmpty())
            return false;
    }
    for (const auto& [key, value] : values)
        m_settings->setValue(settingsKey(section, key), QString::number(value));
    // One sync writes the whole file anew and renames it into place.
    m_settings->sync();
    return m_settings->status() == QSettings::NoError;
}

bool SettingsFile::writeText(const QString& section, const QString& key, const QString& value)
{
    return store(section, key, value);
}

bool SettingsFile::store(const QString& section, const QString& key, const QString& text)
{
    // An empty key would name the section itself.
    if (key.isEmpty())
        return false;
    m_settings->setValue(settingsKey(section, key), text);
    m_settings->sync();
    return m_settings->status() == QSettings::NoError;
}
