#pragma once

// The export writer: the transactions of one account within a range of whole
// days, written to a file in one of the three formats (ExportFormat.h).
//
// Records are visited in the account's key order from the first key of the
// start day; the visit ends at another account's record or at the day after
// the end day, so both dates count whole. The file is written beside its
// target and put in place only when every byte was written, so a failure
// leaves an older file as it was. Lines end with CR LF.

#include "interchange/ExportFormat.h"
#include "platform/CodePage.h"
#include "platform/LocaleValues.h"
#include "reference/Categories.h"
#include "reference/Projects.h"
#include "store/FileTime.h"
#include "store/TableSet.h"

#include <QString>

class QIODevice;

struct ExportRequest {
    qint32 account = 0;
    QString path;
    ExportFormat format = ExportFormat::Qif;
    FileTime from = 0;           // its whole day is in
    FileTime to = 0;             // its whole day is in
    bool fullYearDates = false;  // the "MS Money Date Format" switch of QIF dates
};

class ExportWriter {
public:
    // The cursors are left in the sorts they were found in.
    ExportWriter(TableSet& tables, Categories& categories, Projects& projects, const LocaleValues& locale,
                 const CodePage& codePage)
        : m_tables(tables), m_categories(categories), m_projects(projects), m_locale(locale),
          m_codePage(codePage)
    {
    }

    // False when the account does not exist, the file cannot be made, or a
    // record cannot be read or written. When the table holds no key from the
    // start day on, no file is made and the export counts as done.
    bool write(const ExportRequest& request);
    // The same into a device the caller opened (the request's path is not
    // used); false as soon as the device refuses a write.
    bool writeTo(const ExportRequest& request, QIODevice& out);

    // Transactions written by the last write().
    qint64 written() const { return m_written; }

private:
    enum class Start { Failed, NothingToWrite, Ready };
    // Puts the transaction cursor on the first key of the start day.
    Start start(const ExportRequest& request);
    bool accountExists(qint32 account);
    bool writeRecords(const ExportRequest& request, QIODevice& out);

    TableSet& m_tables;
    Categories& m_categories;
    Projects& m_projects;
    const LocaleValues& m_locale;
    const CodePage& m_codePage;
    qint64 m_written = 0;
};
