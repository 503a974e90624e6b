#pragma once

#include <QString>

// Where a restore puts the settings a backup file carries (its setting items,
// the default currency among them): the program's settings file, any section
// and key the file names. Implemented by the shell, which owns the settings.
class RestoreSettings {
public:
    virtual ~RestoreSettings() = default;
    // False when the setting could not be stored.
    virtual bool writeText(const QString& section, const QString& key, const QString& value) = 0;
    virtual bool writeInt(const QString& section, const QString& key, qint32 value) = 0;
};
