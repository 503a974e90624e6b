#pragma once

// Importing a bank statement into one account, whatever its file format.
//
// The source is prepared first (a file it refuses writes nothing). Each line
// with a valid date and an amount then either merges into a transaction of
// the account (QifMatchIndex: the same bank id, or the same day with the same
// description, number, amount and category), which updates its memo and mark
// and marks it as imported, or becomes a new transaction. Categories and
// projects it names are made when missing, without asking. At the end the
// account's balances are recalculated and, when a line named a project,
// every project's totals are recomputed.
//
// The whole import is one store transaction. A stop the user confirms ("Stop
// Work?") keeps every line read so far: it is written, balanced and committed
// like a finished import. A failure anywhere (a line the source cannot read,
// a write that fails) and a crash leave the book as it was before the import.

#include "interchange/StatementSource.h"
#include "platform/Clock.h"
#include "platform/CodePage.h"
#include "platform/Interaction.h"
#include "platform/LocaleValues.h"
#include "reference/Categories.h"
#include "reference/ProjectTotals.h"
#include "reference/Projects.h"
#include "store/TableSet.h"

#include <QString>
#include <QStringList>

// What an import works with; all owned by the caller and outliving the import.
struct StatementImportContext {
    TableSet& tables;
    Categories& categories;
    Projects& projects;
    ProjectTotals& totals;
    QString defaultCurrency;  // the currency of the project totals
    const Clock& clock;
    const LocaleValues& locale;  // its date order decides a QIF file whose dates never do
    const CodePage& codePage;
    Interaction& ui;
};

struct StatementImportResult {
    bool ok = false;
    bool stopped = false;  // the user stopped it; what was read is kept
    qint64 added = 0;      // new transactions
    qint64 merged = 0;     // lines merged into a transaction of the account
    qint64 dropped = 0;    // lines without a valid date or with an amount out of range
    // The account keys of the transactions the lines were added as or merged into.
    QStringList keys;
};

class StatementImport {
public:
    static constexpr const char* StopQuestion = "Stop Work?";
    static constexpr const char* RecalcText = "Recalc Balance...";
    // The description of a line without a payee.
    static constexpr const char* UntitledText = "untitled transaction";

    explicit StatementImport(StatementImportContext context) : m_context(context) {}

    // Imports every line of `source` into `account`. A source that fails
    // shows its failure() (exclamation icon) and the book stays as it was.
    StatementImportResult run(StatementSource& source, qint32 account);

private:
    class Run;
    StatementImportContext m_context;
};
