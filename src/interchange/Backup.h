#pragma once

// "&Backup...": the whole book written into one backup file (BackupFormat.h):
// the six saved tables in the order of BackupLayout, then the default
// currency setting and the end item.
//
// The file is written beside its target and put in place only once the end
// item reached the disk, so a backup that fails for any reason (an empty book,
// a full disk, a record that cannot be read, a text too long for the format,
// "Stop") leaves whatever file was there before untouched.

#include "platform/Interaction.h"
#include "store/FileTime.h"
#include "store/TableSet.h"

#include <QIODevice>
#include <QString>

#include <vector>

class BackupWriter;
struct BackupSection;

class Backup {
public:
    static constexpr const char* NotCompletedText = "The backing-up process was NOT completed.";
    // Shown before NotCompletedText when a record holds a text longer than the
    // file's length field: the record, the property, its length and the most.
    static constexpr const char* TooLongText = "The %1 cannot be backed up: its text property %2 holds %3 "
                                               "characters, more than the %4 a backup file can carry.";
    // Followed by the table's store name while its records are written.
    static constexpr const char* ProgressText = "Backup data ";
    // The progress bar moves once every this many records.
    static constexpr qint64 RecordsPerStep = 5;
    // The setting the file carries after the tables.
    static constexpr const char* SettingsSection = "Options";
    static constexpr const char* DefaultCurrencyKey = "Default Currency";

    struct Request {
        QString path;
        FileTime time = 0;  // the header's time: the moment of the backup
        QString defaultCurrency;
    };

    // The cursors are left in the sorts they were found in.
    Backup(TableSet& tables, Interaction& ui) : m_tables(tables), m_ui(ui) {}

    // True when the backup was completed; otherwise NotCompletedText has been
    // shown (exclamation icon), after TooLongText when a text was the cause,
    // and the file at the path is as it was.
    bool run(const Request& request);
    // The same into a device the caller opened (the request's path is not
    // used), without the message; false as soon as anything failed.
    bool writeTo(const Request& request, QIODevice& out);

    // The records of the six saved tables (the password-lock record included).
    qint64 countRecords();

private:
    bool write(const Request& request);
    bool writeSection(BackupWriter& out, const BackupSection& section);
    bool writeRecord(BackupWriter& out, const BackupSection& section, const DbTable& table);
    std::vector<qint32> currencyNumbers();
    static QString recordName(const BackupSection& section, const DbTable& table);

    TableSet& m_tables;
    Interaction& m_ui;
    std::vector<qint32> m_rateNumbers;
    qint64 m_counter = 0;
    QString m_tooLong;  // the message naming the record whose text the file cannot carry
};
