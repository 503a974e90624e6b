#include "shell/ReportCommands.h"

#include "accounts/AccountList.h"
#include "platform/ForwardingInteraction.h"
#include "reports/ChartPainter.h"
#include "reports/FilterFile.h"
#include "reports/GroupReportTable.h"
#include "reports/ReportChartData.h"
#include "reports/ReportExport.h"
#include "reports/ReportFilterChoices.h"
#include "reports/ReportSession.h"
#include "reports/TransactionListTable.h"
#include "shell/CliCommandTable.h"
#include "shell/CliExit.h"
#include "shell/CliPasswordPrompt.h"
#include "shell/CliValues.h"
#include "shell/ReportCommandLine.h"
#include "shell/ReportJson.h"
#include "shell/ReportPasswordCheck.h"
#include "shell/ReportTableText.h"

#include <functional>

namespace {

const char* const NoAccountText = "The book has no account: nothing to report.";

// The run's interaction, except that nobody is there to look at a written
// report: "View Report in Explorer?" is answered No without being shown.
class ReportRunInteraction : public ForwardingInteraction {
public:
    using ForwardingInteraction::ForwardingInteraction;

    bool askYesNo(const QString& text, const QString& title = {}) override
    {
        return text != ReportExport::ViewQuestion && ForwardingInteraction::askYesNo(text, title);
    }
};

int badUsage(QTextStream& err, const QString& message)
{
    err << "tallyra-cli: " << message << '\n';
    return CliBadUsage;
}

int failed(QTextStream& err, const QString& message)
{
    if (!message.isEmpty())
        err << message << '\n';
    return CliFailed;
}

bool mainProgramUnlocked(DbTable& transactions, CliContext& c)
{
    CliPasswordPrompt prompt(c.options.password, c.err);
    if (ReportPasswordCheck::passed(transactions, c.clock, prompt))
        return true;
    c.err << CliPasswordPrompt::WrongPasswordText << '\n';
    return false;
}

using Work = std::function<int(ReportSession& session, const ReportContext& context)>;

// Starts the report program, puts the request into its filter and runs `work`.
int runReportProgram(CliContext& c, const ReportRequest& request, const Work& work)
{
    ReportRunInteraction ui(c.interaction);
    ReportSession session(c.book, c.clock, ui);
    switch (session.start([&c](DbTable& transactions) { return mainProgramUnlocked(transactions, c); })) {
    case ReportSession::Outcome::Ready:
        break;
    case ReportSession::Outcome::NoAccount:
        return failed(c.err, QString::fromLatin1(NoAccountText));
    case ReportSession::Outcome::EngineFailed:  // the message was shown
    case ReportSession::Outcome::Locked:
        return CliFailed;
    }
    const ReportContext context = session.context(c.localeValues);
    const auto findAccount = [&session](const QString& text) -> std::optional<qint32> {
        const std::optional<AccountRecord> a = AccountList(session.tables().accounts()).findByIdOrName(text);
        return a ? std::optional<qint32>(a->id) : std::nullopt;
    };
    const ReportFilterChoices::Result chosen =
        ReportFilterChoices::apply(request, context, c.clock.now(), findAccount);
    if (!chosen.ok)
        return failed(c.err, chosen.message);
    return work(session, context);
}

ReportFormat formatOf(ReportRequest::Output output)
{
    switch (output) {
    case ReportRequest::Output::Text:
        return ReportFormat::Text;
    case ReportRequest::Output::Html:
        return ReportFormat::Html;
    case ReportRequest::Output::Xlsx:
        return ReportFormat::Xlsx;
    case ReportRequest::Output::Csv:
        return ReportFormat::Csv;
    case ReportRequest::Output::Table:
    case ReportRequest::Output::PocketExcel:
    case ReportRequest::Output::Png:
    case ReportRequest::Output::Svg:
        break;
    }
    return ReportFormat::PocketExcel;
}

ReportChart chartOf(const GroupReportTable& view, ChartKind kind, const QString& title)
{
    return kind == ChartKind::Bar ? ReportChartData::bar(view.report(), title)
                                  : ReportChartData::pie(view.report(), title);
}

ReportChart chartOf(const TransactionListTable& view, ChartKind, const QString& title)
{
    return ReportChartData::line(view.rows(), view.reportCurrency(), title);
}

template <typename View>
int saveChart(CliContext& c, const ReportRequest& request, View& view, const QString& title)
{
    ChartPainter* painter = ChartPainter::installed();
    if (!painter)
        return failed(c.err, ChartPainter::NoPainterText);
    const ChartKind kind = request.chart.value_or(ReportChartData::firstChart(request.kind));
    const ChartPainter::Image image =
        request.output == ReportRequest::Output::Png ? ChartPainter::Image::Png : ChartPainter::Image::Svg;
    QString error;
    if (!painter->saveFile(chartOf(view, kind, title), request.path, image, &error))
        return failed(c.err,
                      QStringLiteral("The chart could not be written to %1: %2").arg(request.path, error));
    return CliDone;
}

template <typename View> int printOrSave(CliContext& c, const ReportRequest& request, View& view)
{
    if (request.output == ReportRequest::Output::Table) {
        if (c.options.json)
            CliValues::printJson(c.out, QJsonDocument(ReportJson::of(view)));
        else
            c.out << ReportTableText::of(view);
        return CliDone;
    }
    const QString title = request.title.isEmpty() ? ReportExport::defaultTitle(request.kind) : request.title;
    if (request.output == ReportRequest::Output::Png || request.output == ReportRequest::Output::Svg)
        return saveChart(c, request, view, title);
    const ReportExport::Outcome outcome =
        ReportExport::save(view, formatOf(request.output), title, request.path, c.codePage, request.chart);
    if (!outcome.written) {
        const QString reason = outcome.error.isEmpty() ? QString() : QStringLiteral(" ") + outcome.error;
        return failed(c.err,
                      QStringLiteral("The report could not be written to %1.").arg(request.path) + reason);
    }
    return CliDone;
}

int runReport(CliContext& c)
{
    QString error;
    const std::optional<ReportRequest> request = ReportCommandLine::parseReport(c.arguments, &error);
    if (!request)
        return badUsage(c.err, error);
    return runReportProgram(c, *request, [&](ReportSession&, const ReportContext& context) {
        if (request->kind == ReportKind::TransactionList) {
            TransactionListTable view(context);
            view.buildSortedBy(request->sort.value_or(ReportSort()));
            return printOrSave(c, *request, view);
        }
        GroupReportTable view(request->kind, context);
        view.setSort(request->sort.value_or(ReportSort()));
        return printOrSave(c, *request, view);
    });
}

int runFilterSave(CliContext& c)
{
    QString error;
    const std::optional<ReportRequest> request = ReportCommandLine::parseFilterSave(c.arguments, &error);
    if (!request)
        return badUsage(c.err, error);
    return runReportProgram(c, *request, [&](ReportSession& session, const ReportContext&) {
        if (!FilterFile::save(request->path, session.filter()))
            return failed(c.err, QStringLiteral("The filter could not be written to %1.").arg(request->path));
        return static_cast<int>(CliDone);
    });
}

}  // namespace

void addReportCommands(CliCommandTable& table)
{
    table.add({QStringLiteral("report"),
               QStringLiteral("report transactions|categories|projects ") + ReportCommandLine::reportUsage(),
               QStringLiteral("builds a report as the report program does; prints it or saves it (--out)"),
               runReport});
    table.add({QStringLiteral("filter-save"),
               QStringLiteral("filter-save FILE ") + ReportCommandLine::filterUsage(),
               QStringLiteral("writes the report filter the options give to a filter file (.tyf)"),
               runFilterSave});
}
