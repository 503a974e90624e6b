// The main program's start-up on the fast path (the last run ended in order,
// "Version" is current) over books of 100,000 and 1,000,000 transactions, up
// to the first register row read: the settings, the store opened, the working
// sort orders, the currency cache, the future list brought up to date, the
// register of the remembered account and its first row. Targets: under 150 ms
// and under 1 s. The book's file is in the page cache (it was just copied).
#include "BenchRun.h"

#include "accounts/Register.h"
#include "shell/ExitStep.h"

#include <benchmark/benchmark.h>

namespace {

using namespace BenchBook;

void BM_StartUpFastPath(benchmark::State& state)
{
    BookCopy copy(state.range(0), Layout::OneBigAccount);
    if (!copy.folder()) {
        state.SkipWithError("the book could not be made");
        return;
    }
    FixedClock clock(BookNow);
    NoFirstAccount first;
    const LocaleValues locale;
    qint64 rows = 0;
    for (auto _ : state) {
        YesInteraction ui;
        auto book = std::make_unique<MainBook>(*copy.folder());
        const StartUp::Outcome outcome =
            StartUp(*book, clock, ui, first, StartUp::standardHooks(*book, clock, locale, ui)).run();
        Register reg(book->tables(), book->currencies(), locale);
        const bool shown = outcome == StartUp::Outcome::Ready &&
                           reg.select(book->settings().read(TallyraSettings::Int::AccountId)) &&
                           reg.entry(0).has_value();
        state.PauseTiming();
        rows = reg.rowCount();
        const bool repaired = ui.statuses.contains(TableSet::ReindexText);
        // The orderly exit keeps the next iteration on the fast path.
        ExitStep::run(*book);
        book.reset();
        state.ResumeTiming();
        if (!shown || repaired) {
            state.SkipWithError(repaired ? "start-up took the repair path" : "the register was not shown");
            break;
        }
    }
    state.counters["register_rows"] = static_cast<double>(rows);
}

}  // namespace

BENCHMARK(BM_StartUpFastPath)->Arg(100'000)->Unit(benchmark::kMillisecond)->Iterations(10);
BENCHMARK(BM_StartUpFastPath)->Arg(1'000'000)->Unit(benchmark::kMillisecond)->Iterations(3);
