// The report program's window on a whole book: start-up to a painted window
// (target under 0.5 s at 100,000 transactions), "Recalc" of the categories
// report with its rows shown (under 250 ms at 100,000, 2.5 s at a million),
// and one page of the transaction list's data() (under 0.5 ms); the chart of
// the categories report shown after a build (under 300 ms at 100,000).
#ifdef TALLYRA_BENCH_WINDOWS

#include "BenchApplication.h"
#include "BenchRun.h"

#include "reports/ReportSession.h"
#include "reports/ui/ChartPanel.h"
#include "reports/ui/ReportView.h"
#include "reports/ui/ReportWindow.h"
#include "reports/ui/TransactionListModel.h"
#include "toolkit/ui/CoolList.h"
#include "toolkit/ui/DialogInteraction.h"

#include <QApplication>
#include <QPushButton>
#include <QToolButton>

#include <benchmark/benchmark.h>

namespace {

using namespace BenchBook;

constexpr int PageRows = 30;

// Every transaction of every year passes.
void openWholePeriod(ReportFilter& filter)
{
    filter.setDateLow(minFileTime());
    filter.setDateHigh(maxFileTime());
}

void paint(QWidget& window)
{
    QApplication::processEvents();
    window.repaint();
}

void BM_SumoraStartUpToPaintedWindow(benchmark::State& state)
{
    application();
    BookCopy copy(state.range(0), Layout::Even);
    if (!copy.folder()) {
        state.SkipWithError("the book could not be made");
        return;
    }
    FixedClock clock{BookNow};
    const LocaleValues locale;
    for (auto _ : state) {
        DialogInteraction ui;
        ReportSession session(*copy.folder(), clock, ui);
        if (session.start({}) != ReportSession::Outcome::Ready) {
            state.SkipWithError("the report program did not start");
            return;
        }
        ReportWindow window(session, clock, locale, ui,
                            ReportWindow::Setup{copy.folder()->path(), CodePage::defaultPage(), {}});
        window.show();
        paint(window);
        state.PauseTiming();
        window.hide();
        state.ResumeTiming();
    }
}

void BM_SumoraCategoriesRecalc(benchmark::State& state)
{
    application();
    BookCopy copy(state.range(0), Layout::Even);
    if (!copy.folder()) {
        state.SkipWithError("the book could not be made");
        return;
    }
    FixedClock clock{BookNow};
    const LocaleValues locale;
    DialogInteraction ui;
    ReportSession session(*copy.folder(), clock, ui);
    if (session.start({}) != ReportSession::Outcome::Ready) {
        state.SkipWithError("the report program did not start");
        return;
    }
    ReportWindow window(session, clock, locale, ui,
                        ReportWindow::Setup{copy.folder()->path(), CodePage::defaultPage(), {}});
    window.show();
    window.showKind(ReportKind::Categories);
    openWholePeriod(session.filter());
    ReportView& view = window.currentView();
    for (auto _ : state) {
        view.build();
        paint(window);
    }
    state.counters["rows"] = static_cast<double>(view.model().rowCount());
}

// From the built report to its chart painted: the chart data made from the
// rows, the pie pair laid out and drawn. The report's own build is left out.
void BM_SumoraCategoriesChartShown(benchmark::State& state)
{
    application();
    BookCopy copy(state.range(0), Layout::Even);
    if (!copy.folder()) {
        state.SkipWithError("the book could not be made");
        return;
    }
    FixedClock clock{BookNow};
    const LocaleValues locale;
    DialogInteraction ui;
    ReportSession session(*copy.folder(), clock, ui);
    if (session.start({}) != ReportSession::Outcome::Ready) {
        state.SkipWithError("the report program did not start");
        return;
    }
    ReportWindow window(session, clock, locale, ui,
                        ReportWindow::Setup{copy.folder()->path(), CodePage::defaultPage(), {}});
    window.show();
    window.showKind(ReportKind::Categories);
    openWholePeriod(session.filter());
    window.currentView().build();
    window.chartButton().setChecked(true);
    paint(window);
    for (auto _ : state) {
        window.chartPanel().refresh();
        paint(window);
    }
    state.counters["rows"] = static_cast<double>(window.currentView().model().rowCount());
}

void BM_TransactionListPageData(benchmark::State& state)
{
    application();
    BookCopy copy(state.range(0), Layout::Even);
    if (!copy.folder()) {
        state.SkipWithError("the book could not be made");
        return;
    }
    FixedClock clock{BookNow};
    const LocaleValues locale;
    SilentInteraction ui;
    ReportSession session(*copy.folder(), clock, ui);
    if (session.start({}) != ReportSession::Outcome::Ready) {
        state.SkipWithError("the report program did not start");
        return;
    }
    openWholePeriod(session.filter());
    TransactionListModel model(session.context(locale));
    model.build();
    const int rows = model.rowCount();
    const int roles[] = {Qt::DisplayRole, Qt::DecorationRole, Qt::BackgroundRole, Qt::TextAlignmentRole};
    int top = 0;
    for (auto _ : state) {
        // A page the list has not read yet, as after a scroll.
        top = (top + 997 * PageRows) % std::max(1, rows - PageRows);
        for (int row = top; row < top + PageRows; ++row)
            for (int column = 0; column < model.columnCount(); ++column)
                for (int role : roles)
                    benchmark::DoNotOptimize(model.data(model.index(row, column), role));
    }
    state.counters["rows"] = static_cast<double>(rows);
}

}  // namespace

BENCHMARK(BM_SumoraStartUpToPaintedWindow)->Arg(100'000)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_SumoraCategoriesRecalc)
    ->Arg(100'000)
    ->Arg(1'000'000)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3);
BENCHMARK(BM_SumoraCategoriesChartShown)->Arg(100'000)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_TransactionListPageData)->Arg(100'000)->Unit(benchmark::kMicrosecond);

#endif
