#pragma once

// The Pocket Excel workbook: the fixed head of the view, one sheet row per
// report row from row 1 on, and the end byte.
//
// A row with a cell that cannot be written (a row number beyond
// PocketExcelCells::MaxRow) is a failed row: its name goes to the failure
// list, and after the third the writer shows FailureText and stops taking
// rows. The caller shows the list afterwards (failureMessage).

#include "reports/GroupReport.h"
#include "reports/ReportListSource.h"

#include <QStringList>

class Interaction;
class ReportSink;
struct LocaleValues;

class PocketExcelWriter {
public:
    static constexpr int MaxFailedRows = 3;
    static const QString FailureText;   // "Inpossible save data\nInsufficient memory is possible"
    static const QString FailureTitle;  // "Informations"

    struct Outcome {
        bool stopped = false;  // "Stop" ended the row loop
        QStringList failedRows;
    };

    // Counted rows with a deposit or a payment.
    static Outcome writeGroups(ReportSink& out, const GroupReport& report, Interaction& ui);
    // A failed row is named by its date and description.
    static Outcome writeTransactions(ReportSink& out, const ReportListSource& source,
                                     const LocaleValues& locale, Interaction& ui);

    // The heading of the failure list by view, then one name per line (CR LF).
    static QString failureMessage(ReportKind kind, const QStringList& failedRows);

private:
    static bool groupRow(QByteArray& cells, int sheetRow, const GroupRow& row, const QString& currency);
    static bool transactionRow(QByteArray& cells, int sheetRow, const TransactionEntry& e);
};
