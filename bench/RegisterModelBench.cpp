// The register's table model painting one page: every role a view asks for,
// for 30 rows and every column, in the middle of the big account of a book of
// 100,000 and of 1,000,000 transactions. Each iteration starts from a model
// that has read nothing yet, as after scrolling to a new page. Target: under
// 0.5 ms at a million.
#ifdef TALLYRA_BENCH_WINDOWS

#include "BenchRun.h"

#include "accounts/Register.h"
#include "accounts/ui/RegisterModel.h"
#include "shell/ExitStep.h"

#include <QApplication>

#include <benchmark/benchmark.h>

namespace {

using namespace BenchBook;

constexpr int PageRows = 30;

// One application object for every window benchmark, whichever runs first.
// It is never destroyed: torn down among the exit handlers it would outlive
// the input devices a shown window registers, and crash.
QApplication& application()
{
    static int argc = 1;
    static char name[] = "tallyra_bench";
    static char* argv[] = {name, nullptr};
    if (!QApplication::instance()) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        new QApplication(argc, argv);
    }
    return *static_cast<QApplication*>(QApplication::instance());
}

void BM_RegisterModelPage(benchmark::State& state)
{
    application();
    BookCopy copy(state.range(0), Layout::OneBigAccount);
    if (!copy.folder()) {
        state.SkipWithError("the book could not be made");
        return;
    }
    FixedClock clock{BookNow};
    YesInteraction ui;
    NoFirstAccount first;
    LocaleValues locale;
    MainBook book(*copy.folder());
    if (StartUp(book, clock, ui, first, StartUp::standardHooks(book, clock, locale, ui)).run() !=
        StartUp::Outcome::Ready) {
        state.SkipWithError("the book could not be started");
        return;
    }
    {
        Register reg(book.tables(), book.currencies(), locale, book.future());
        if (!reg.select(1)) {
            state.SkipWithError("no account 1");
            return;
        }
        const int top = static_cast<int>(reg.transactionCount() / 2);
        const int roles[] = {Qt::DisplayRole,    Qt::DecorationRole, Qt::ForegroundRole,
                             Qt::BackgroundRole, Qt::FontRole,       Qt::TextAlignmentRole};
        const FileTime now = *fileTimeFromLocal(BookNow);
        for (auto _ : state) {
            state.PauseTiming();
            RegisterModel model(
                reg, [now] { return now; }, false);
            state.ResumeTiming();
            for (int row = top; row < top + PageRows; ++row)
                for (int column = 0; column < model.columnCount(); ++column)
                    for (int role : roles)
                        benchmark::DoNotOptimize(model.data(model.index(row, column), role));
        }
    }
    ExitStep::run(book);
}

}  // namespace

BENCHMARK(BM_RegisterModelPage)->Arg(100'000)->Arg(1'000'000)->Unit(benchmark::kMillisecond);

#endif
