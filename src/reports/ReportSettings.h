#pragma once

#include "platform/SettingsFile.h"
#include "platform/SettingsKeys.h"
#include "reports/ReportKind.h"

#include <QString>
#include <QtGlobal>

// The report program's settings (Sumora.ini in the book folder). Every
// section, key and default is declared once, in the tables of
// ReportSettings.cpp; no other code spells a key. Reads yield the default when
// the value is missing or unreadable; writes reach the disk at once and return
// false when they could not (the program goes on with the value it has).
class ReportSettings {
public:
    enum class Int {
        // "Options"
        Panel0Width,
        Panel1Width,  // 0: the rest of the command bar's width
        // "ReportPage"
        TreeWidth,
    };
    enum class Text {
        // "Options"
        DefaultCurrency,
        FilterFolder,
        ExportFolder,
        // "filter"
        FilterCurrency,  // "": the first code of the Currency table
    };

    using Keys = SettingsKeys<Int, Text>;
    using IntKey = Keys::IntKey;
    using TextKey = Keys::TextKey;

    explicit ReportSettings(const QString& iniPath);

    qint32 read(Int id) const;
    QString read(Text id) const;
    bool write(Int id, qint32 value);
    bool write(Text id, const QString& value);

    // "Filter Folder" or "Export Folder" as a path: the default single
    // backslash is the user's home folder.
    QString folder(Text id) const;

    // A report list's column width, in the section named for its view
    // ("listtrans", "listcats", "listprojs"), keys "0" to "4". A column the
    // view lacks reads 0 and is not written.
    static int columnCount(ReportKind kind);
    qint32 columnWidth(ReportKind kind, int column) const;
    bool setColumnWidth(ReportKind kind, int column, qint32 width);

    // The tables themselves, for documentation checks.
    static const IntKey& intKey(Int id);
    static const TextKey& textKey(Text id);
    static const char* listSection(ReportKind kind);
    // The default width of a column; 0 outside the view's columns.
    static qint32 defaultColumnWidth(ReportKind kind, int column);

private:
    SettingsFile m_file;
};
