// The record store on books of 100,000 and 1,000,000 transactions.
#include "BenchBook.h"

#include "store/KeyText.h"
#include "store/RecordLayout.h"
#include "store/TableDefinition.h"

#include <benchmark/benchmark.h>

#include <memory>
#include <random>

namespace {

// One open book per size, shared by the benchmarks that only read or that
// undo what they write.
struct OpenBook {
    std::unique_ptr<ObjectStore> store;
    TableSet tables;
};

OpenBook& openBook(qint64 size)
{
    static std::map<qint64, std::unique_ptr<OpenBook>> books;
    auto& slot = books[size];
    if (!slot) {
        slot = std::make_unique<OpenBook>();
        slot->store = ObjectStore::open(BenchBook::storeFor(size));
        slot->tables.attach(slot->store.get());
        slot->tables.openAll();
        slot->tables.setWorkingSorts();
        // Builds the account-key order outside the timings, as the start-up does.
        slot->tables.transactions().moveTo(0);
    }
    return *slot;
}

// Opening the book and reaching what the register needs first: the count,
// the first record of an account and its last balance.
void BM_OpenBookAndReachRegister(benchmark::State& state)
{
    const QString path = BenchBook::storeFor(state.range(0));
    for (auto _ : state) {
        auto store = ObjectStore::open(path);
        TableSet tables;
        tables.attach(store.get());
        tables.openAll();
        tables.setWorkingSorts();
        DbTable& t = tables.transactions();
        benchmark::DoNotOptimize(t.count());
        t.seekText(SeekKind::NotLess, idStartKey(3));
        t.seekText(SeekKind::Smaller, idEndKey(3));
        benchmark::DoNotOptimize(t.getInt64(Prop::Balance));
    }
}

void BM_ReadRowByPosition(benchmark::State& state)
{
    DbTable& t = openBook(state.range(0)).tables.transactions();
    std::mt19937_64 rng(1);
    const qint64 n = t.count();
    for (auto _ : state) {
        benchmark::DoNotOptimize(t.moveTo(static_cast<qint64>(rng() % static_cast<quint64>(n))));
        benchmark::DoNotOptimize(t.getInt64(Prop::Amount));
    }
}

void BM_ReadRowsInOrder(benchmark::State& state)
{
    DbTable& t = openBook(state.range(0)).tables.transactions();
    const qint64 n = t.count();
    qint64 p = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(t.moveTo(p));
        p = (p + 1) % n;
    }
}

template <SeekKind kind> void BM_Seek(benchmark::State& state)
{
    DbTable& t = openBook(state.range(0)).tables.transactions();
    std::mt19937_64 rng(2);
    const qint64 perAccount = state.range(0) / BenchBook::Accounts;
    for (auto _ : state) {
        state.PauseTiming();
        const qint32 account = static_cast<qint32>(rng() % BenchBook::Accounts) + 1;
        const qint64 index = static_cast<qint64>(rng() % static_cast<quint64>(perAccount));
        const QString key = BenchBook::transactionRecord(account, index)[0].text;
        state.ResumeTiming();
        benchmark::DoNotOptimize(t.seekText(kind, key));
    }
}

// A durable single-record insert, undone outside the timing.
void BM_InsertNewTransaction(benchmark::State& state)
{
    OpenBook& book = openBook(state.range(0));
    DbTable& t = book.tables.transactions();
    qint64 i = 0;
    for (auto _ : state) {
        t.beginNew();
        for (const PropValue& p : BenchBook::transactionRecord(4, 77 + (i++ % 1000)))
            if (p.id != Prop::AccountKey)
                t.setValue(p);
        benchmark::DoNotOptimize(t.setText(Prop::AccountKey, QStringLiteral("4_19900101090000000x"), true));
        state.PauseTiming();
        t.deleteAt(t.position());
        state.ResumeTiming();
    }
}

void BM_RewriteSortProperty(benchmark::State& state)
{
    DbTable& t = openBook(state.range(0)).tables.transactions();
    t.seekText(SeekKind::NotLess, idStartKey(5));
    const QString original = t.getText(Prop::AccountKey);
    bool flip = false;
    for (auto _ : state) {
        flip = !flip;
        benchmark::DoNotOptimize(
            t.setText(Prop::AccountKey, flip ? QStringLiteral("5_29990101000000000") : original));
    }
    if (flip)
        t.setText(Prop::AccountKey, original);
}

// A durable delete of a record, put back outside the timing.
void BM_DeleteTransaction(benchmark::State& state)
{
    DbTable& t = openBook(state.range(0)).tables.transactions();
    for (auto _ : state) {
        state.PauseTiming();
        t.seekText(SeekKind::NotLess, idStartKey(6));
        const PropList saved = t.properties();
        const qint64 position = t.position();
        state.ResumeTiming();
        benchmark::DoNotOptimize(t.deleteAt(position));
        state.PauseTiming();
        t.beginNew();
        for (size_t k = 0; k + 1 < saved.size(); ++k)
            t.setValue(saved[k]);
        t.setValue(saved.back(), true);
        state.ResumeTiming();
    }
}

constexpr qint64 Small = 100'000;
constexpr qint64 Large = 1'000'000;

}  // namespace

BENCHMARK(BM_OpenBookAndReachRegister)->Arg(Small)->Arg(Large)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_ReadRowByPosition)->Arg(Small)->Arg(Large)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ReadRowsInOrder)->Arg(Small)->Arg(Large)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Seek<SeekKind::Equal>)
    ->Name("BM_SeekEqual")
    ->Arg(Small)
    ->Arg(Large)
    ->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Seek<SeekKind::Smaller>)
    ->Name("BM_SeekSmaller")
    ->Arg(Small)
    ->Arg(Large)
    ->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Seek<SeekKind::NotLess>)
    ->Name("BM_SeekNotLess")
    ->Arg(Small)
    ->Arg(Large)
    ->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_InsertNewTransaction)->Arg(Small)->Arg(Large)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_RewriteSortProperty)->Arg(Small)->Arg(Large)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_DeleteTransaction)->Arg(Small)->Arg(Large)->Unit(benchmark::kMicrosecond);

BENCHMARK_MAIN();
