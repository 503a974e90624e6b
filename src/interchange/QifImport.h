#pragma once

// Importing a QIF file into one account.
//
// The file is read three times: pass 1 works out its date order (QifDateOrderScan),
// pass 2 counts its records ("^" lines) for the progress bar, pass 3 reads the
// records. A finished record with a valid date either merges into a
// transaction of the account on the same day with the same description,
// number, amount and category (whose memo and mark it then updates, and which
// it marks as imported), or becomes a new transaction. Categories and classes
// it names are made when missing, without asking. At the end the account's
// balances are recalculated and, when the file named a class, every project's
// totals are recomputed.
//
// The whole import is one store transaction. A stop the user confirms ("Stop
// Work?") keeps every record read so far: it is written, balanced and
// committed like a finished import. A failure anywhere (a read error, a write
// that fails) and a crash leave the book as it was before the import.

#include "platform/Clock.h"
#include "platform/CodePage.h"
#include "platform/Interaction.h"
#include "platform/LocaleValues.h"
#include "reference/Categories.h"
#include "reference/ProjectTotals.h"
#include "reference/Projects.h"
#include "store/TableSet.h"

#include <QIODevice>
#include <QString>

// What an import works with; all owned by the caller and outliving the import.
struct QifImportContext {
    TableSet& tables;
    Categories& categories;
    Projects& projects;
    ProjectTotals& totals;
    QString defaultCurrency;  // the currency of the project totals
    const Clock& clock;
    const LocaleValues& locale;  // its date order decides a file whose dates never do
    const CodePage& codePage;
    Interaction& ui;
};

struct QifImportResult {
    bool ok = false;
    bool stopped = false;  // the user stopped it; what was read is kept
    qint64 added = 0;      // new transactions
    qint64 merged = 0;     // records merged into a transaction of the account
    qint64 dropped = 0;    // records without a valid date or with an amount out of range
};

class QifImport {
public:
    static constexpr const char* FileReadErrorText = "File read error";
    static constexpr const char* StopQuestion = "Stop Work?";
    static constexpr const char* RecalcText = "Recalc Balance...";
    // What the import command says afterwards (the spelling is the program's own).
    static constexpr const char* SucceededText = "Import Succesful";
    static constexpr const char* FailedText = "Import Failure";
    // The description of a record without a payee.
    static constexpr const char* UntitledText = "untitled transaction";

    explicit QifImport(QifImportContext context) : m_context(context) {}

    // Opens the file and imports it. A file that cannot be opened or read
    // shows FileReadErrorText and fails, changing nothing.
    QifImportResult importFile(const QString& path, qint32 account);
    // The same from an open, seekable device.
    QifImportResult importDevice(QIODevice& device, qint32 account);
    // The import command once its file is chosen: importFile, then
    // SucceededText (information icon) or FailedText (exclamation icon).
    QifImportResult importAndTell(const QString& path, qint32 account);

private:
    class Run;
    QifImportContext m_context;
};
