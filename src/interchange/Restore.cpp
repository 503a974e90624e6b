#include "interchange/Restore.h"

#include "accounts/DatabaseClearing.h"
#include "interchange/BackupReader.h"
#include "interchange/RestoreLoader.h"
#include "interchange/RestoreScan.h"
#include "store/DateText.h"

#include <QFile>

bool Restore::begin(const ReportProgramCheck& reportProgramRunning)
{
    if (!m_ui.askYesNo(QString::fromLatin1(LoseDataQuestion)))
        return false;
    if (reportProgramRunning && reportProgramRunning()) {
        // The same refusal as the clearing of the whole book: one text for both.
        m_ui.showMessage(QString::fromLatin1(DatabaseClearing::ReportProgramRunningText),
                         Interaction::Icon::Exclamation);
        return false;
    }
    return true;
}

QString Restore::dateQuestion(FileTime backupTime, const LocaleValues& locale)
{
    return QString::fromLatin1(DateQuestion)
        .replace(QLatin1String("%s"), dateWithWeekday(backupTime, locale));
}

Restore::Outcome Restore::restoreFrom(const QString& path)
{
    QFile file(path);
    m_notStarted = NotStartedReason::Unreadable;
    if (!file.open(QIODevice::ReadOnly))
        return Outcome::NotStarted;
    const QByteArray data = file.readAll();
    const bool read = file.error() == QFileDevice::NoError;
    file.close();
    if (!read)
        return Outcome::NotStarted;
    const std::optional<FileTime> time = BackupReader::headerTime(data);
    m_notStarted = NotStartedReason::NotABackup;
    if (!time)
        return Outcome::NotStarted;
    m_notStarted = NotStartedReason::Declined;
    if (!m_ui.askYesNo(dateQuestion(*time, m_locale)))
        return Outcome::NotStarted;

    m_ui.progressRange(RestoreLoader::Steps);
    const RestoreScan scan = RestoreScan::of(data);
    RestoreLoader loader(m_tables, m_ui);
    if (!scan.complete || !loader.load(data)) {
        if (!loader.problem().isEmpty())
            m_ui.showMessage(QString::fromLatin1(BadRecordText).arg(loader.problem()),
                             Interaction::Icon::Exclamation);
        m_ui.showMessage(QString::fromLatin1(NotCompletedText), Interaction::Icon::Exclamation);
        return Outcome::NotCompleted;
    }
    storeSettings(scan.settings);
    m_ui.showMessage(QString::fromLatin1(CompletedText), Interaction::Icon::Information);
    return Outcome::Completed;
}

// In file order, so a setting the file names twice keeps its last value. A
// setting that cannot be stored does not undo the restored book.
void Restore::storeSettings(const std::vector<RestoreSetting>& settings)
{
    for (const RestoreSetting& s : settings) {
        if (s.isText)
            (void)m_settings.writeText(s.section, s.key, s.text);
        else
            (void)m_settings.writeInt(s.section, s.key, s.number);
    }
}
