#include "shell/BookBackup.h"

#include "accounts/DatabaseClearing.h"
#include "interchange/Backup.h"
#include "interchange/BackupLocation.h"

namespace {

// The settings items of a restored file go into the main program's settings.
class SettingsForRestore : public RestoreSettings {
public:
    explicit SettingsForRestore(TallyraSettings& settings) : m_settings(settings) {}
    bool writeText(const QString& section, const QString& key, const QString& value) override
    {
        return m_settings.writeItem(section, key, value);
    }
    bool writeInt(const QString& section, const QString& key, qint32 value) override
    {
        return m_settings.writeItem(section, key, value);
    }

private:
    TallyraSettings& m_settings;
};

}  // namespace

void BookBackup::rememberFile(const QString& path)
{
    const BackupLocation location = BackupLocation::of(path);
    m_book.settings().write(TallyraSettings::Text::BackUpFolder, location.folder);
    m_book.settings().write(TallyraSettings::Text::BackUpFile, location.file);
}

bool BookBackup::backup(const QString& path, FileTime now)
{
    rememberFile(path);
    Backup backup(m_book.tables(), m_ui);
    return backup.run(Backup::Request{path, now, m_book.state().defaultCurrency});
}

BookBackup::RestoreResult BookBackup::restore(const QString& path, const LocaleValues& locale)
{
    return restore([&path]() -> std::optional<QString> { return path; }, locale);
}

BookBackup::RestoreResult BookBackup::restore(const PathChoice& choosePath, const LocaleValues& locale)
{
    RestoreResult result;
    SettingsForRestore settings(m_book.settings());
    Restore restore(m_book.tables(), locale, m_ui, settings);
    const QString folder = m_book.folder().path();
    if (!restore.begin([&] { return DatabaseClearing::reportProgramHolds(folder); }))
        return result;
    const std::optional<QString> chosen = choosePath();
    if (!chosen)
        return result;
    const QString& path = *chosen;
    rememberFile(path);
    m_book.state().skipSave = true;
    result.outcome = restore.restoreFrom(path);
    if (result.outcome == Restore::Outcome::NotStarted) {
        m_book.state().skipSave = false;
        if (restore.notStartedReason() == Restore::NotStartedReason::Unreadable)
            result.notStartedText = QStringLiteral("The file %1 could not be read.").arg(path);
        else if (restore.notStartedReason() == Restore::NotStartedReason::NotABackup)
            result.notStartedText = QStringLiteral("%1 is not a backup file.").arg(path);
        return result;
    }
    m_book.settings().setFutureHorizon(0);
    return result;
}
