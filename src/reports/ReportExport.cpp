#include "reports/ReportExport.h"

#include "platform/Interaction.h"
#include "reference/CurrencyCache.h"
#include "reports/ChartPainter.h"
#include "reports/CsvReportWriter.h"
#include "reports/GroupReportTable.h"
#include "reports/GroupTree.h"
#include "reports/HtmlGroupWriter.h"
#include "reports/HtmlListWriter.h"
#include "reports/PocketExcelWriter.h"
#include "reports/ReportChartData.h"
#include "reports/ReportHeading.h"
#include "reports/ReportLabels.h"
#include "reports/ReportSheetSource.h"
#include "reports/ReportSink.h"
#include "reports/TextReportWriter.h"
#include "reports/TransactionEntryReader.h"
#include "reports/TransactionListTable.h"
#include "reports/XlsxReportWriter.h"

#include <QSaveFile>

#include <functional>

const QString ReportExport::ViewQuestion = QStringLiteral("View Report in Explorer?");
const QString ReportExport::ViewCaption = QStringLiteral("Sumora");

namespace {

using Writer = std::function<ReportExport::Outcome(ReportSink&)>;

// Writes through a file beside the target that replaces it only when every
// byte went out. Unbuffered, so that a short write (a full disk, a file size
// limit) is seen by the sink at once: through the device's buffer it was
// found to pass unnoticed and the commit kept a cut file.
ReportExport::Outcome writeFile(const QString& path, const CodePage& codePage, const Writer& write)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return {};
    ReportSink sink(file, codePage);
    ReportExport::Outcome outcome = write(sink);
    if (!sink.ok()) {
        file.cancelWriting();
        return {};
    }
    outcome.written = file.commit();
    return outcome;
}

GroupTree treeOf(const GroupReportTable& view)
{
    ReportLabels labels(view.context().tables);
    const bool projects = view.kind() == ReportKind::Projects;
    GroupTree::Lookup lookup;
    lookup.parentOf = [&](qint32 id) {
        return projects ? labels.projectParent(id) : labels.categoryParent(id);
    };
    lookup.nameOf = [&](qint32 id) { return projects ? labels.projectName(id) : labels.categoryName(id); };
    lookup.pathOf = [&](qint32 id) { return projects ? labels.projectPath(id) : labels.categoryPath(id); };
    return GroupTree::build(view.report(), lookup);
}

void showFailures(ReportKind kind, const ReportExport::Outcome& outcome, Interaction& ui)
{
    if (!outcome.failedRows.isEmpty())
        ui.showMessage(PocketExcelWriter::failureMessage(kind, outcome.failedRows),
                       Interaction::Icon::Information, PocketExcelWriter::FailureTitle);
}

ReportExport::Outcome finish(ReportExport::Outcome outcome, ReportFormat format, ReportKind kind,
                             Interaction& ui)
{
    if (format == ReportFormat::PocketExcel)
        showFailures(kind, outcome, ui);
    if (format == ReportFormat::Html && outcome.written)
        outcome.viewRequested = ui.askYesNo(ReportExport::ViewQuestion, ReportExport::ViewCaption);
    return outcome;
}

bool isSheetFormat(ReportFormat format)
{
    return format == ReportFormat::Xlsx || format == ReportFormat::Csv;
}

// The spreadsheet and CSV writers work from the report laid out as one table.
ReportExport::Outcome saveSheet(const ReportSheet& sheet, ReportFormat format, const QString& path,
                                const CodePage& codePage, Interaction& ui)
{
    if (format == ReportFormat::Csv)
        return writeFile(path, codePage, [&](ReportSink& sink) {
            ReportExport::Outcome o;
            o.stopped = !CsvReportWriter::write(sink, sheet, ui);
            return o;
        });
    const XlsxReportWriter::Outcome xlsx = XlsxReportWriter::write(sheet, path, ui);
    ReportExport::Outcome o;
    o.written = xlsx.written;
    o.stopped = xlsx.stopped;
    o.error = xlsx.error;
    return o;
}

// The HTML heading, with the chart asked for drawn as SVG; false when no
// painter can draw it.
bool htmlInfoWithChart(HtmlReportInfo& info, const std::optional<ReportChart>& chart)
{
    if (!chart)
        return true;
    ChartPainter* painter = ChartPainter::installed();
    if (!painter)
        return false;
    info.chartSvg = QString::fromUtf8(painter->svg(*chart));
    return true;
}

ReportExport::Outcome noPainter()
{
    ReportExport::Outcome o;
    o.error = ChartPainter::NoPainterText;
    return o;
}

}  // namespace

QString ReportExport::dialogHeading(ReportKind kind)
{
    return QStringLiteral("Create ") + defaultTitle(kind);
}

QString ReportExport::defaultTitle(ReportKind kind)
{
    switch (kind) {
    case ReportKind::TransactionList:
        return QStringLiteral("List Transactions");
    case ReportKind::Categories:
        return QStringLiteral("List Categories");
    case ReportKind::Projects:
        break;
    }
    return QStringLiteral("List Projects");
}

QString ReportExport::fileType(ReportFormat format)
{
    switch (format) {
    case ReportFormat::Text:
        return QStringLiteral("Text Windows (*.txt)");
    case ReportFormat::Html:
        return QStringLiteral("HTML (*.htm)");
    case ReportFormat::Xlsx:
        return QStringLiteral("Excel Workbook (*.xlsx)");
    case ReportFormat::Csv:
        return QStringLiteral("CSV (Comma delimited) (*.csv)");
    case ReportFormat::PocketExcel:
        break;
    }
    return QStringLiteral("Pocket Excel Workbook (*.pxl)");
}

QString ReportExport::extension(ReportFormat format)
{
    switch (format) {
    case ReportFormat::Text:
        return QStringLiteral("txt");
    case ReportFormat::Html:
        return QStringLiteral("htm");
    case ReportFormat::Xlsx:
        return QStringLiteral("xlsx");
    case ReportFormat::Csv:
        return QStringLiteral("csv");
    case ReportFormat::PocketExcel:
        break;
    }
    return QStringLiteral("pxl");
}

ReportExport::Outcome ReportExport::save(GroupReportTable& view, ReportFormat format, const QString& title,
                                         const QString& path, const CodePage& codePage,
                                         std::optional<ChartKind> htmlChart)
{
    const ReportContext& context = view.context();
    if (isSheetFormat(format))
        return saveSheet(ReportSheetSource::of(view, title), format, path, codePage, context.ui);
    const GroupReport& report = view.report();
    HtmlReportInfo info = ReportHeading::of(context, title);
    std::optional<ReportChart> chart;
    if (htmlChart && format == ReportFormat::Html)
        chart = *htmlChart == ChartKind::Bar ? ReportChartData::bar(report, title)
                                             : ReportChartData::pie(report, title);
    if (!htmlInfoWithChart(info, chart))
        return noPainter();
    Outcome outcome = writeFile(path, codePage, [&](ReportSink& sink) {
        Outcome o;
        switch (format) {
        case ReportFormat::Text:
            o.stopped = !TextReportWriter::writeGroups(sink, report, context.ui);
            break;
        case ReportFormat::Html:
            HtmlGroupWriter::write(sink, info, report, treeOf(view), context.currencies, context.locale);
            break;
        case ReportFormat::Xlsx:
        case ReportFormat::Csv:
            break;
        case ReportFormat::PocketExcel: {
            const PocketExcelWriter::Outcome pxl = PocketExcelWriter::writeGroups(sink, report, context.ui);
            o.stopped = pxl.stopped;
            o.failedRows = pxl.failedRows;
            break;
        }
        }
        return o;
    });
    return finish(outcome, format, report.kind, context.ui);
}

ReportExport::Outcome ReportExport::save(TransactionListTable& view, ReportFormat format,
                                         const QString& title, const QString& path, const CodePage& codePage,
                                         std::optional<ChartKind> htmlChart)
{
    const ReportContext& context = view.context();
    if (isSheetFormat(format))
        return saveSheet(ReportSheetSource::of(view, title), format, path, codePage, context.ui);
    TransactionEntryReader reader(context.tables, context.currencies, view.reportCurrency());
    ReportListSource source;
    source.count = view.rowCount();
    source.reportCurrency = view.reportCurrency();
    source.entry = [&](qint64 row) { return reader.read(view.rows()[static_cast<size_t>(row)].record); };
    HtmlReportInfo info = ReportHeading::of(context, title);
    std::optional<ReportChart> chart;
    if (htmlChart && format == ReportFormat::Html)
        chart = ReportChartData::line(view.rows(), view.reportCurrency(), title);
    if (!htmlInfoWithChart(info, chart))
        return noPainter();
    Outcome outcome = writeFile(path, codePage, [&](ReportSink& sink) {
        Outcome o;
        switch (format) {
        case ReportFormat::Text:
            o.stopped = !TextReportWriter::writeTransactions(sink, source, context.locale, context.ui);
            break;
        case ReportFormat::Html:
            o.stopped =
                !HtmlListWriter::write(sink, info, source, context.currencies, context.locale, context.ui);
            break;
        case ReportFormat::Xlsx:
        case ReportFormat::Csv:
            break;
        case ReportFormat::PocketExcel: {
            const PocketExcelWriter::Outcome pxl =
                PocketExcelWriter::writeTransactions(sink, source, context.locale, context.ui);
            o.stopped = pxl.stopped;
            o.failedRows = pxl.failedRows;
            break;
        }
        }
        return o;
    });
    return finish(outcome, format, ReportKind::TransactionList, context.ui);
}
