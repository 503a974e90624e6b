#include "reports/ReportExport.h"

#include "platform/Interaction.h"
#include "reference/CurrencyCache.h"
#include "reports/GroupReportTable.h"
#include "reports/GroupTree.h"
#include "reports/HtmlGroupWriter.h"
#include "reports/HtmlListWriter.h"
#include "reports/PocketExcelWriter.h"
#include "reports/ReportFilter.h"
#include "reports/ReportLabels.h"
#include "reports/ReportSink.h"
#include "reports/TextReportWriter.h"
#include "reports/TransactionEntryReader.h"
#include "reports/TransactionListTable.h"

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

QStringList names(const ReportIdList& ids, const std::function<QString(qint32)>& nameOf)
{
    QStringList out;
    for (const qint32 id : ids.ids())
        out << nameOf(id);
    return out;
}

HtmlReportInfo htmlInfo(const ReportContext& context, const QString& title)
{
    using IdKind = ReportFilter::IdKind;
    ReportLabels labels(context.tables);
    const ReportFilter& filter = context.filter;
    HtmlReportInfo info;
    info.title = title;
    info.dateLow = filter.dateLow();
    info.dateHigh = filter.dateHigh();
    info.filter.accounts =
        names(filter.ids(IdKind::Accounts), [&](qint32 id) { return labels.accountName(id); });
    info.filter.categories =
        names(filter.ids(IdKind::Categories), [&](qint32 id) { return labels.categoryPath(id); });
    info.filter.projects =
        names(filter.ids(IdKind::Projects), [&](qint32 id) { return labels.projectPath(id); });
    return info;
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
    case ReportFormat::PocketExcel:
        break;
    }
    return QStringLiteral("pxl");
}

ReportExport::Outcome ReportExport::save(GroupReportTable& view, ReportFormat format, const QString& title,
                                         const QString& path, const CodePage& codePage)
{
    const ReportContext& context = view.context();
    const GroupReport& report = view.report();
    Outcome outcome = writeFile(path, codePage, [&](ReportSink& sink) {
        Outcome o;
        switch (format) {
        case ReportFormat::Text:
            o.stopped = !TextReportWriter::writeGroups(sink, report, context.ui);
            break;
        case ReportFormat::Html:
            HtmlGroupWriter::write(sink, htmlInfo(context, title), report, treeOf(view), context.currencies,
                                   context.locale);
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
                                         const QString& title, const QString& path, const CodePage& codePage)
{
    const ReportContext& context = view.context();
    TransactionEntryReader reader(context.tables, context.currencies, view.reportCurrency());
    ReportListSource source;
    source.count = view.rowCount();
    source.reportCurrency = view.reportCurrency();
    source.entry = [&](qint64 row) { return reader.read(view.rows()[static_cast<size_t>(row)].record); };
    Outcome outcome = writeFile(path, codePage, [&](ReportSink& sink) {
        Outcome o;
        switch (format) {
        case ReportFormat::Text:
            o.stopped = !TextReportWriter::writeTransactions(sink, source, context.locale, context.ui);
            break;
        case ReportFormat::Html:
            o.stopped = !HtmlListWriter::write(sink, htmlInfo(context, title), source, context.currencies,
                                               context.locale, context.ui);
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
