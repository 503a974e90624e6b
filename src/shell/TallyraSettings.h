#pragma once

#include "platform/SettingsFile.h"
#include "platform/SettingsKeys.h"

#include <QString>
#include <QStringList>
#include <QtGlobal>

// The main program's settings (Tallyra.ini in the book folder). Every section,
// key and default is declared once, in the tables of TallyraSettings.cpp; no
// other code spells a key. Reads yield the default when the value is missing or
// the file cannot be read; writes reach the disk at once and return false when
// they could not (the program goes on with the value it has).
class TallyraSettings {
public:
    enum class Int {
        // "Options"
        VersionMajor,
        VersionMinor,
        FutureListDateLow,
        FutureListDateHigh,
        Panel0Width,
        Panel1Width,
        Panel2Width,
        ExportFullYearDates,  // 1 = numeric export dates carry the full year
        // "accountpage"
        AccountId,
        ShowProperties,
        ListSpDate,
        ListSpDesc,
        ListSpAmount,
        ListNspDate,
        ListNspNo,
        ListNspDesc,
        ListNspDep,
        ListNspPay,
        ListNspBal,
        // "ProjectPage"
        ProjectTreeWidth,
    };
    enum class Text {
        Version,
        DefaultCurrency,
        BackUpFile,
        BackUpFolder,
        ImportFolder,
        ExportFolder,
        LastCsvMapping,  // the saved mapping the last CSV import used
    };

    using Keys = SettingsKeys<Int, Text>;
    using IntKey = Keys::IntKey;
    using TextKey = Keys::TextKey;

    explicit TallyraSettings(const QString& iniPath);

    qint32 read(Int id) const;
    QString read(Text id) const;
    bool write(Int id, qint32 value);
    bool write(Text id, const QString& value);

    // A setting a backup file carries, stored under the section and key the
    // file names (a restore writes them back as they come; the default
    // currency is one).
    bool writeItem(const QString& section, const QString& key, const QString& value);
    bool writeItem(const QString& section, const QString& key, qint32 value);

    // A folder setting ("BackUp Folder", ...) as a path: the default single
    // backslash is the user's home folder.
    QString folder(Text id) const;

    // The horizon of the future list, a file time kept as two 32-bit halves
    // ("Future List Date Low", "Future List Date High").
    qint64 futureHorizon() const;
    bool setFutureHorizon(qint64 fileTime);

    // Per account, keyed by the account's name as it is now: a renamed account
    // starts again from the defaults. The next export start date (0 = none)
    // and the last export file name (default: the name + ".qif").
    qint64 exportStartDate(const QString& accountName) const;
    bool setExportStartDate(const QString& accountName, qint64 fileTime);
    QString exportFile(const QString& accountName) const;
    bool setExportFile(const QString& accountName, const QString& fileName);

    // Saved CSV mappings, by name, in the section "CSV Mappings": each one
    // the text CsvMapping::toText() writes.
    QStringList csvMappingNames() const;
    QString csvMapping(const QString& name) const;
    bool setCsvMapping(const QString& name, const QString& text);

    // The column layout of a configurable list, in the section named by the
    // list's name and number. A stored layout counts only when its column count
    // equals the list's current one; a column's position defaults to its index,
    // its width to the current width.
    qint32 listColumnCount(const QString& list, int number) const;
    bool setListColumnCount(const QString& list, int number, qint32 count);
    qint32 listColumnPosition(const QString& list, int number, int column) const;
    bool setListColumnPosition(const QString& list, int number, int column, qint32 position);
    qint32 listColumnWidth(const QString& list, int number, int column, qint32 currentWidth) const;
    bool setListColumnWidth(const QString& list, int number, int column, qint32 width);

    // The file itself, for the list control, which keeps its column layouts
    // in it under sections of its own.
    SettingsFile& file() { return m_file; }
    const SettingsFile& file() const { return m_file; }

    // The tables themselves, for documentation checks.
    static const IntKey& intKey(Int id);
    static const TextKey& textKey(Text id);

private:
    qint64 readSplit(const QString& section, const QString& lowKey, const QString& highKey) const;
    bool writeSplit(const QString& section, const QString& lowKey, const QString& highKey, qint64 value);

    SettingsFile m_file;
};
