#pragma once

// The "SaveAs" commands behind the dialogs: a view writes its report to a
// file in one of its formats. The caller asks for the title and the
// path (the texts below label its dialogs); this writes, then answers what the
// user is to be shown.
//
// The file is written beside the target and renamed into place, so a failed
// write leaves the old file as it was; nothing is said then and "View Report
// in Explorer?" is not asked. "Stop" ends the row loop; the file is still
// completed and kept.

#include "platform/CodePage.h"
#include "reports/ChartKind.h"
#include "reports/ReportFormat.h"
#include "reports/ReportKind.h"

#include <QString>
#include <QStringList>

#include <optional>

class GroupReportTable;
class Interaction;
class TransactionListTable;

class ReportExport {
public:
    static const QString ViewQuestion;  // "View Report in Explorer?"
    static const QString ViewCaption;   // "Sumora"

    struct Outcome {
        bool written = false;
        bool stopped = false;
        // HTML only: the user answered Yes to ViewQuestion; the caller opens the file.
        bool viewRequested = false;
        QStringList failedRows;  // Pocket Excel only
        QString error;           // Excel workbook only: why it was not written
    };

    // "Create List Transactions", ... and the default title "List Transactions", ...
    static QString dialogHeading(ReportKind kind);
    static QString defaultTitle(ReportKind kind);
    // "Text Windows (*.txt)", "HTML (*.htm)", "Pocket Excel Workbook (*.pxl)",
    // "Excel Workbook (*.xlsx)", "CSV (Comma delimited) (*.csv)"; "txt", "htm", "pxl", "xlsx", "csv".
    static QString fileType(ReportFormat format);
    static QString extension(ReportFormat format);

    // htmlChart: an HTML report ends with this chart of the report, drawn
    // inline by the installed ChartPainter; other formats ignore it.
    static Outcome save(GroupReportTable& view, ReportFormat format, const QString& title,
                        const QString& path, const CodePage& codePage,
                        std::optional<ChartKind> htmlChart = std::nullopt);
    static Outcome save(TransactionListTable& view, ReportFormat format, const QString& title,
                        const QString& path, const CodePage& codePage,
                        std::optional<ChartKind> htmlChart = std::nullopt);
};
