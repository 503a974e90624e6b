// QIF import with duplicate matching: 100,000 records into one account, as a
// first import (every record added) and as a re-import of the same file
// (every record found again and merged). The target is over 50,000 records
// per second (items_per_second).
//
// The file spreads the records over about three years of days, a hundred a
// day at most, with payees, numbers, memos, categories and now and then a
// class, as a busy account's export would have them.
//
// BM_QifImportNew/2 imports into an account whose keys sort before 100,000
// transactions of another account. There every insert costs a shift of the
// store's in-memory account-key index past all of them (SortIndex keeps each
// sort order in one flat vector), which bounds that case far below the others.

#include "ImportBenchBook.h"

#include <benchmark/benchmark.h>

namespace {

constexpr int Records = 100'000;

QByteArray qifFile(int records, bool newestFirst)
{
    static const char* const payees[] = {"Grocer",   "Fuel Station", "Employer", "Landlord", "Pharmacy",
                                         "Bookshop", "Cafe",         "Hardware", "Utility",  "Insurance"};
    static const char* const categories[] = {"Food:Groceries", "Auto:Fuel",     "Salary",      "Housing:Rent",
                                             "Health",         "Leisure:Books", "Food:Dining", "Home:Repairs",
                                             "Utilities",      "Insurance"};
    QByteArray out = "!Type:Bank\n";
    out.reserve(records * 80);
    for (int k = 0; k < records; ++k) {
        const int i = newestFirst ? records - 1 - k : k;
        const int day = i / 100;  // about 1,000 days
        const int year = 2020 + day / 336;
        const int month = 1 + (day / 28) % 12;
        const int dayOfMonth = 1 + day % 28;
        out += "D" + QByteArray::number(month) + "/" + QByteArray::number(dayOfMonth) + "/" +
               QByteArray::number(year) + "\n";
        out += "T" + QByteArray::number(-(i % 977) - 1) + "." + QByteArray::number(10 + i % 90) + "\n";
        out += "P" + QByteArray(payees[i % 10]) + "\n";
        if (i % 3 == 0)
            out += "N" + QByteArray::number(1000 + i) + "\n";
        if (i % 4 == 0)
            out += "Mref " + QByteArray::number(i) + "\n";
        out += "L" + QByteArray(categories[(i / 10) % 10]);
        if (i % 50 == 0)
            out += "/Trip " + QByteArray::number(i % 7);
        out += "\nC*\n^\n";
    }
    return out;
}

void report(benchmark::State& state, const QifImportResult& result, bool expectAdded)
{
    const qint64 wanted = expectAdded ? result.added : result.merged;
    if (!result.ok || wanted != Records)
        state.SkipWithError("the import did not take every record");
}

// Arg 0 (1): the file lists the oldest (newest) record first; arg 2: another
// account of the book holds 100,000 transactions.
void BM_QifImportNew(benchmark::State& state)
{
    const QByteArray qif = qifFile(Records, state.range(0) == 1);
    for (auto _ : state) {
        state.PauseTiming();
        auto book = std::make_unique<ImportBook>(state.range(0) == 2 ? Records : 0);
        state.ResumeTiming();
        report(state, book->import(qif), true);
        state.PauseTiming();
        book.reset();
        state.ResumeTiming();
    }
    state.SetItemsProcessed(state.iterations() * Records);
}

void BM_QifReimport(benchmark::State& state)
{
    const QByteArray qif = qifFile(Records, false);
    ImportBook book;
    report(state, book.import(qif), true);
    for (auto _ : state)
        report(state, book.import(qif), false);
    state.SetItemsProcessed(state.iterations() * Records);
}

}  // namespace

BENCHMARK(BM_QifImportNew)->Arg(0)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond)->Iterations(2);
BENCHMARK(BM_QifReimport)->Unit(benchmark::kMillisecond)->Iterations(2);
