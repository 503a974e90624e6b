// The main window over books of 100,000 and 1,000,000 transactions, on the
// offscreen platform:
// - start-up to a shown, painted register: the program's start-up on the fast
//   path, the main window made and shown on the remembered account, and one
//   whole paint of the window forced. Targets: under 0.5 s and under 1.5 s.
// - painting a full page of the register after scrolling to a page it has not
//   shown yet. Target: under 16 ms.
#ifdef TALLYRA_BENCH_WINDOWS

#include "BenchApplication.h"
#include "BenchRun.h"

#include "accounts/PasswordLock.h"
#include "accounts/ui/RegisterModel.h"
#include "shell/ExitStep.h"
#include "shell/ui/MainWindow.h"
#include "shell/ui/RegisterPage.h"
#include "toolkit/ui/CoolList.h"

#include <QPixmap>

#include <algorithm>

#include <benchmark/benchmark.h>

namespace {

using namespace BenchBook;

bool started(MainBook& book, const Clock& clock, Interaction& ui, const LocaleValues& locale)
{
    NoFirstAccount first;
    return StartUp(book, clock, ui, first, StartUp::standardHooks(book, clock, locale, ui)).run() ==
           StartUp::Outcome::Ready;
}

void BM_WindowStartUp(benchmark::State& state)
{
    application();
    BookCopy copy(state.range(0), Layout::OneBigAccount);
    if (!copy.folder()) {
        state.SkipWithError("the book could not be made");
        return;
    }
    FixedClock clock(BookNow);
    const LocaleValues locale;
    const QLocale qlocale = QLocale::c();
    int rows = 0;
    for (auto _ : state) {
        YesInteraction ui;
        auto book = std::make_unique<MainBook>(*copy.folder());
        if (!started(*book, clock, ui, locale)) {
            state.SkipWithError("the book could not be started");
            break;
        }
        PasswordLock lock(clock);
        auto window = std::make_unique<MainWindow>(*book, clock, qlocale, locale, lock);
        window->show();
        benchmark::DoNotOptimize(window->grab());
        state.PauseTiming();
        rows = window->registerPage()->model()->rowCount();
        // The orderly exit keeps the next iteration on the fast path.
        window->exitProgram();
        window.reset();
        ExitStep::run(*book);
        book.reset();
        state.ResumeTiming();
        if (ui.statuses.contains(TableSet::ReindexText) || rows == 0) {
            state.SkipWithError("start-up repaired the book or the register was empty");
            break;
        }
    }
    state.counters["register_rows"] = rows;
}

void BM_RegisterPagePaint(benchmark::State& state)
{
    application();
    BookCopy copy(state.range(0), Layout::OneBigAccount);
    if (!copy.folder()) {
        state.SkipWithError("the book could not be made");
        return;
    }
    FixedClock clock(BookNow);
    const LocaleValues locale;
    const QLocale qlocale = QLocale::c();
    YesInteraction ui;
    MainBook book(*copy.folder());
    if (!started(book, clock, ui, locale)) {
        state.SkipWithError("the book could not be started");
        return;
    }
    {
        PasswordLock lock(clock);
        MainWindow window(book, clock, qlocale, locale, lock);
        window.show();
        CoolList& list = *window.registerPage()->list();
        RegisterModel& model = *window.registerPage()->model();
        const int pages = std::max(1, model.rowCount() / list.pageRows());
        int page = pages / 2;
        for (auto _ : state) {
            state.PauseTiming();
            page = (page + 7) % pages;
            list.scrollTo(model.index(page * list.pageRows(), 1), QAbstractItemView::PositionAtTop);
            state.ResumeTiming();
            benchmark::DoNotOptimize(list.viewport()->grab());
        }
        state.counters["visible_rows"] = list.pageRows();
        window.exitProgram();
    }
    ExitStep::run(book);
}

}  // namespace

BENCHMARK(BM_WindowStartUp)->Arg(100'000)->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(BM_WindowStartUp)->Arg(1'000'000)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_RegisterPagePaint)->Arg(100'000)->Arg(1'000'000)->Unit(benchmark::kMillisecond);

#endif
