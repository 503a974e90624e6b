// The report program's engine and writers on books of 100,000 and 1,000,000
// transactions: the categories report (filter, convert, group and total) and
// the transaction list written as HTML and as an Excel workbook (target under
// 2 s at 100,000 rows).
#include "BenchBook.h"

#include "platform/Interaction.h"
#include "reference/CurrencyCache.h"
#include "reports/GroupReportTable.h"
#include "reports/ReportExport.h"
#include "reports/ReportFilter.h"
#include "reports/TransactionListTable.h"
#include "store/FileTime.h"

#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <memory>

namespace {

// One book open for reports: its tables, currency list and a filter that
// passes every transaction of every year.
struct ReportSession {
    std::unique_ptr<ObjectStore> store;
    TableSet tables;
    std::unique_ptr<CurrencyCache> currencies;
    ReportFilter filter;
    LocaleValues locale;
    SilentInteraction ui;

    explicit ReportSession(qint64 size)
    {
        store = ObjectStore::open(BenchBook::storeFor(size));
        tables.attach(store.get());
        tables.openAll();
        tables.setWorkingSorts();
        currencies = std::make_unique<CurrencyCache>(tables.currencies());
        filter.initialise(tables, QStringLiteral("EUR"), minFileTime());
        filter.setDateLow(minFileTime());
        filter.setDateHigh(maxFileTime());
    }
    ReportContext context() { return {tables, *currencies, filter, locale, ui}; }
};

void BM_CategoriesReport(benchmark::State& state)
{
    ReportSession session(state.range(0));
    GroupReportTable view(ReportKind::Categories, session.context());
    for (auto _ : state) {
        view.build();
        benchmark::DoNotOptimize(view.report().totals.net);
    }
    state.counters["rows"] = static_cast<double>(view.rowCount());
}

void BM_TransactionListHtml(benchmark::State& state)
{
    ReportSession session(state.range(0));
    TransactionListTable view(session.context());
    view.build();
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("list.htm"));
    for (auto _ : state) {
        const ReportExport::Outcome outcome = ReportExport::save(
            view, ReportFormat::Html, QStringLiteral("List Transactions"), path, CodePage::defaultPage());
        if (!outcome.written)
            state.SkipWithError("the report was not written");
    }
    state.counters["rows"] = static_cast<double>(view.rowCount());
}

void BM_TransactionListXlsx(benchmark::State& state)
{
    ReportSession session(state.range(0));
    TransactionListTable view(session.context());
    view.build();
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("list.xlsx"));
    for (auto _ : state) {
        const ReportExport::Outcome outcome = ReportExport::save(
            view, ReportFormat::Xlsx, QStringLiteral("List Transactions"), path, CodePage::defaultPage());
        if (!outcome.written)
            state.SkipWithError("the workbook was not written");
    }
    state.counters["rows"] = static_cast<double>(view.rowCount());
}

}  // namespace

BENCHMARK(BM_CategoriesReport)->Arg(100'000)->Arg(1'000'000)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_TransactionListHtml)->Arg(100'000)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_TransactionListXlsx)->Arg(100'000)->Unit(benchmark::kMillisecond)->Iterations(3);
