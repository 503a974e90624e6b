// Saving a new transaction through the transaction editor, dated before every
// other transaction of an account that holds half the book: the save rewrites
// every running balance of the account (50,000 in a book of 100,000, 500,000
// in a book of a million). Targets: under 100 ms and under 1 s. Each new
// transaction is deleted again outside the timing, so every save starts from
// the same book.
#include "BenchRun.h"

#include "accounts/Register.h"
#include "accounts/TransactionEditor.h"
#include "reference/ConversionConfirmation.h"
#include "shell/ExitStep.h"

#include <benchmark/benchmark.h>

namespace {

using namespace BenchBook;

// The first day of the big account's run is 1990-01-01.
constexpr LocalTime DayBeforeAll{1989, 12, 31, 0, 0, 0, 0};

struct EditorSession {
    BookCopy copy;
    FixedClock clock{BookNow};
    YesInteraction ui;
    NoFirstAccount first;
    AcceptingConversion conversion;
    LocaleValues locale;
    std::unique_ptr<MainBook> book;
    std::unique_ptr<Register> reg;
    std::unique_ptr<TransactionEditor> editor;

    explicit EditorSession(qint64 size) : copy(size, Layout::OneBigAccount)
    {
        if (!copy.folder())
            return;
        book = std::make_unique<MainBook>(*copy.folder());
        if (StartUp(*book, clock, ui, first, StartUp::standardHooks(*book, clock, locale, ui)).run() !=
            StartUp::Outcome::Ready)
            return;
        reg = std::make_unique<Register>(book->tables(), book->currencies(), locale);
        if (!reg->select(1))
            return;
        const EditorContext context{book->tables(),
                                    book->currencies(),
                                    book->categories(),
                                    book->projects(),
                                    book->totals(),
                                    book->future(),
                                    clock,
                                    locale,
                                    ui,
                                    conversion};
        editor = std::make_unique<TransactionEditor>(context, *reg);
    }
    ~EditorSession()
    {
        if (book)
            ExitStep::run(*book);
    }

    bool saveFirst()
    {
        if (!editor->load(reg->transactionCount()))
            return false;
        editor->setAmountText(QStringLiteral("12.34"));
        editor->setPayment(false);
        editor->setDescription(QStringLiteral("Before all"));
        editor->setDate(*fileTimeFromLocal(DayBeforeAll));
        return editor->save(false).isSaved();
    }
    bool deleteFirst() { return editor->load(0) && editor->deleteRow(); }
};

void BM_SaveBeforeAllOthers(benchmark::State& state)
{
    EditorSession session(state.range(0));
    if (!session.editor) {
        state.SkipWithError("the book could not be opened");
        return;
    }
    const qint64 rewritten = session.reg->transactionCount();
    for (auto _ : state) {
        const bool saved = session.saveFirst();
        state.PauseTiming();
        const bool undone = saved && session.reg->transactionCount() == rewritten + 1 &&
                            session.deleteFirst() && session.reg->transactionCount() == rewritten;
        state.ResumeTiming();
        if (!undone) {
            state.SkipWithError(saved ? "the new transaction could not be deleted"
                                      : "the save wrote nothing");
            break;
        }
    }
    state.counters["balances_rewritten"] = static_cast<double>(rewritten);
}

}  // namespace

BENCHMARK(BM_SaveBeforeAllOthers)->Arg(100'000)->Unit(benchmark::kMillisecond)->Iterations(10);
BENCHMARK(BM_SaveBeforeAllOthers)->Arg(1'000'000)->Unit(benchmark::kMillisecond)->Iterations(3);
