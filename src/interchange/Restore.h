#pragma once

// "Re&store...": the book replaced by the content of a backup file.
//
// The command runs in two parts around the choice of the file: begin() asks
// whether to go on at all and refuses while the report program has the book
// open; restoreFrom() checks the file's header, asks about the backup's date,
// then reads the whole file to its end item before the book is touched. Only
// a file read whole, whose records hold together (RestoreCheck), replaces the
// book, in one store transaction; then its setting items are stored. A bad,
// truncated, self-contradicting or unreadable file changes nothing.
//
// After a restore that started (completed or not) the program ends, and its
// exit must leave the future list's horizon at 0 so that the next start
// rebuilds the future list and every project's totals.

#include "interchange/RestoreScan.h"
#include "interchange/RestoreSettings.h"
#include "platform/Interaction.h"
#include "platform/LocaleValues.h"
#include "store/FileTime.h"
#include "store/TableSet.h"

#include <QString>

#include <functional>

class Restore {
public:
    enum class Outcome {
        NotStarted,    // declined, refused, or not a readable backup file: nothing changed
        NotCompleted,  // the file is damaged or the book could not be written: nothing changed
        Completed,
    };

    static constexpr const char* LoseDataQuestion =
        "All data will be lost! Do you wish to continue restore process?";
    // %s: the backup's time as the abbreviated weekday, ", " and the short date.
    static constexpr const char* DateQuestion = "Date of Backup File is %s \nContinue Restore?";
    static constexpr const char* CompletedText = "The restore process was successfully completed.";
    static constexpr const char* NotCompletedText = "The restore process was NOT completed.";
    // Shown before NotCompletedText when a record contradicts itself or
    // another; %1 names the record and what is wrong with it.
    static constexpr const char* BadRecordText = "The backup file cannot be restored: %1.";

    // True when the report program has the book open now.
    using ReportProgramCheck = std::function<bool()>;

    // The cursors are left in their working sorts.
    Restore(TableSet& tables, const LocaleValues& locale, Interaction& ui, RestoreSettings& settings)
        : m_tables(tables), m_locale(locale), m_ui(ui), m_settings(settings)
    {
    }

    // Asks LoseDataQuestion, then refuses while the report program runs (with
    // the message database clearing gives). True when the restore may go on to
    // the choice of a file; false means not started.
    bool begin(const ReportProgramCheck& reportProgramRunning);

    // Restores from the file at `path`. NotCompletedText or CompletedText is shown
    // once the file passed the header check and the user confirmed its date.
    Outcome restoreFrom(const QString& path);

    static QString dateQuestion(FileTime backupTime, const LocaleValues& locale);

    // Why the last restoreFrom() did not start. The window shows nothing for
    // any of them; a command line says which it was.
    enum class NotStartedReason { Declined, Unreadable, NotABackup };
    NotStartedReason notStartedReason() const { return m_notStarted; }

private:
    void storeSettings(const std::vector<RestoreSetting>& settings);

    TableSet& m_tables;
    const LocaleValues& m_locale;
    Interaction& m_ui;
    RestoreSettings& m_settings;
    NotStartedReason m_notStarted = NotStartedReason::Declined;
};
