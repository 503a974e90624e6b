#pragma once

#include <QString>
#include <QStringList>
#include <QtGlobal>

#include <memory>
#include <utility>
#include <vector>

class QSettings;

// One program's settings: an INI file read and written by section and key.
//
//  1. Reads never fail: a missing, unreadable or malformed value yields the
//     default the caller names.
//  2. A write reaches the disk before the call returns; false means it did not
//     (an unwritable file), and the program goes on with the value it has:
//     reads in this run see it, and every later write tries again to save it.
//  3. Sections and keys are arbitrary text. Characters the file format would
//     take as separators are escaped, so every distinct text is its own key
//     (keys built from account names hold '/', '\', '%', '=' and the like).
//  4. Integers are 32-bit values.
class SettingsFile {
public:
    explicit SettingsFile(const QString& path);
    ~SettingsFile();
    SettingsFile(const SettingsFile&) = delete;
    SettingsFile& operator=(const SettingsFile&) = delete;

    QString path() const { return m_path; }

    qint32 readInt(const QString& section, const QString& key, qint32 fallback) const;
    QString readText(const QString& section, const QString& key, const QString& fallback) const;

    bool writeInt(const QString& section, const QString& key, qint32 value);
    // Several integers of one section in one write: the file holds all of
    // them or none, so values that make one together (the two halves of a
    // date) never reach the disk half written.
    bool writeInts(const QString& section, const std::vector<std::pair<QString, qint32>>& values);
    bool writeText(const QString& section, const QString& key, const QString& value);
    // The keys that hold a value in `section`, as they were written.
    QStringList keys(const QString& section) const;

    // The form a section or key name takes inside the settings layer: '%', '/'
    // and '\' become %25, %2F and %5C; every other character stays.
    static QString escapeName(const QString& name);

private:
    QString settingsKey(const QString& section, const QString& key) const;
    bool store(const QString& section, const QString& key, const QString& text);

    QString m_path;
    std::unique_ptr<QSettings> m_settings;
};
