// Project totals on a book of 10,000 projects and 100,000 transactions:
// recomputing one stale project (its cost must not grow with the book: the
// records read are counted) and the full update.
#include "BenchBook.h"
#include "ProjectsBook.h"

#include "platform/StoreTransaction.h"
#include "reference/CurrencyCache.h"
#include "reference/ProjectTotals.h"
#include "reference/Projects.h"
#include "store/KeyText.h"
#include "store/RecordLayout.h"
#include "store/SortScope.h"
#include "store/TableDefinition.h"

#include <QDir>
#include <QFile>

#include <benchmark/benchmark.h>

#include <cstdio>
#include <memory>

namespace {

using ProjectsBook::DeepProject;
using ProjectsBook::ProjectCount;
using ProjectsBook::TransactionCount;

// Ids 2..10000 under the root in four levels: id p hangs under p / 10
// (ids below 20 under the root).
qint32 parentOf(qint32 id)
{
    return id < 20 ? RootProjectId : id / 10;
}

PropList projectRecord(qint32 id)
{
    return {PropValue::ofInt(Prop::ProjectId, id),
            PropValue::ofInt(Prop::Parent, id == RootProjectId ? 0 : parentOf(id)),
            PropValue::ofText(Prop::Name, id == RootProjectId ? QStringLiteral("All projects")
                                                              : QStringLiteral("Project %1").arg(id))};
}

// Every transaction has a project; one in five is in dollars.
PropList transactionRecord(qint64 index)
{
    const qint32 account = static_cast<qint32>(index % BenchBook::Accounts) + 1;
    PropList props = BenchBook::transactionRecord(account, index / BenchBook::Accounts);
    std::erase_if(props,
                  [](const PropValue& p) { return p.id == Prop::ProjectId || p.id == Prop::ProjectKey; });
    const qint32 project = static_cast<qint32>(index % (ProjectCount - 1)) + 2;
    FileTime when = 0;
    for (PropValue& p : props) {
        if (p.id == Prop::Date)
            when = p.number;
        if (p.id == Prop::CurrencyCode && index % 5 == 0)
            p.text = QStringLiteral("USD");
    }
    props.push_back(PropValue::ofInt(Prop::ProjectId, project));
    props.push_back(PropValue::ofText(Prop::ProjectKey, fullKey(project, when)));
    return props;
}

bool writeAll(ObjectStore& store, TableKind kind, qint64 count, const std::function<PropList(qint64)>& make)
{
    const DbId db = store.findDatabase(TableDefinitions::of(kind).name);
    for (qint64 i = 0; i < count; ++i) {
        if (store.writeRecord(db, 0, make(i)) == 0)
            return false;
    }
    return true;
}

bool build(const QString& path)
{
    for (const QString& suffix : {QString(), QStringLiteral("-wal"), QStringLiteral("-shm")})
        QFile::remove(path + suffix);
    auto store = ObjectStore::open(path);
    if (!store)
        return false;
    TableSet tables;
    tables.attach(store.get());
    if (!tables.openAll())
        return false;
    std::fprintf(stderr, "making a book of %d projects and %lld transactions...\n", ProjectCount,
                 static_cast<long long>(TransactionCount));
    StoreTransaction t(*store);
    const auto currency = [](qint64 i) {
        PropList c = {
            PropValue::ofInt(Prop::CurrencyNumber, static_cast<qint32>(i) + 1),
            PropValue::ofText(Prop::CurrencyCode, i == 0 ? QStringLiteral("EUR") : QStringLiteral("USD")),
            PropValue::ofText(Prop::Symbol, i == 0 ? QStringLiteral("eu") : QStringLiteral("$")),
            PropValue::ofText(Prop::CurrencyName,
                              i == 0 ? QStringLiteral("Euro") : QStringLiteral("US Dollar"))};
        if (i == 1)
            c.push_back(PropValue::ofText(Prop::currencyRateTo(1), QStringLiteral("0.91000")));
        return c;
    };
    return writeAll(*store, TableKind::Currency, 2, currency) &&
           writeAll(*store, TableKind::Project, ProjectCount,
                    [](qint64 i) { return projectRecord(static_cast<qint32>(i) + 1); }) &&
           writeAll(*store, TableKind::Transaction, TransactionCount, transactionRecord) && t.commit();
}

}  // namespace

QString ProjectsBook::storePath()
{
    const QString folder = QStringLiteral(TALLYRA_BENCH_BOOKS);
    QDir().mkpath(folder);
    const QString path =
        QStringLiteral("%1/projects-%2-%3.db").arg(folder).arg(ProjectCount).arg(TransactionCount);
    const QString done = path + QStringLiteral(".complete");
    if (!QFile::exists(done)) {
        if (!build(path))
            return {};
        QFile marker(done);
        marker.open(QIODevice::WriteOnly);
    }
    return path;
}

namespace {

// The book open with its totals computed once, shared by the benchmarks.
struct TotalsBook {
    std::unique_ptr<ObjectStore> store;
    TableSet tables;
    std::unique_ptr<Projects> projects;
    std::unique_ptr<CurrencyCache> currencies;
    std::unique_ptr<ProjectTotals> totals;
    bool ready = false;

    TotalsBook()
    {
        store = ObjectStore::open(ProjectsBook::storePath());
        if (!store)
            return;
        tables.attach(store.get());
        ready = tables.openAll() && tables.setWorkingSorts();
        projects = std::make_unique<Projects>(tables);
        currencies = std::make_unique<CurrencyCache>(tables.currencies());
        totals = std::make_unique<ProjectTotals>(tables, *projects, *currencies);
        ready = ready && currencies->reload() && totals->updateAll(u"EUR");
    }
};

TotalsBook& book()
{
    static TotalsBook b;
    return b;
}

// The account key of the first transaction of a project, to change its amount.
QString firstTransactionOf(TableSet& tables, qint32 project)
{
    DbTable& transactions = tables.transactions();
    SortScope scope(transactions, Prop::ProjectKey, DbTable::SortKind::Text);
    if (!scope.ok() || !transactions.seekText(SeekKind::NotLess, idStartKey(project)))
        return {};
    return transactions.getText(Prop::AccountKey);
}

// What the transaction writer does before the page is shown again: a new
// amount, the project marked stale.
bool changeAmount(TotalsBook& b, const QString& accountKey, qint64 amount, qint32 project)
{
    DbTable& transactions = b.tables.transactions();
    return transactions.seekText(SeekKind::Equal, accountKey) &&
           transactions.setInt64(Prop::Amount, amount) && b.totals->markStale(project);
}

template <bool StaleOnly> void BM_RecomputeOneStaleProject(benchmark::State& state)
{
    TotalsBook& b = book();
    const QString key = firstTransactionOf(b.tables, DeepProject);
    if (!b.ready || key.isEmpty()) {
        state.SkipWithError("the book could not be opened");
        return;
    }
    quint64 reads = 0;
    qint64 amount = 1000;
    for (auto _ : state) {
        state.PauseTiming();
        amount = amount == 1000 ? 2000 : 1000;  // a change every time, so the ancestors move
        const bool changed = changeAmount(b, key, amount, DeepProject);
        b.totals->resetRecordsRead();
        state.ResumeTiming();
        const bool done =
            StaleOnly ? b.totals->updateStale(u"EUR") : b.totals->recompute(DeepProject, u"EUR");
        if (!changed || !done)
            state.SkipWithError("the recompute failed");
        reads += b.totals->recordsRead();
    }
    state.counters["records_read"] =
        benchmark::Counter(static_cast<double>(reads), benchmark::Counter::kAvgIterations);
}

// Each run converts into the other currency, so every project's sums change
// and are written.
void BM_FullUpdate(benchmark::State& state)
{
    TotalsBook& b = book();
    if (!b.ready) {
        state.SkipWithError("the book could not be opened");
        return;
    }
    const bool rewrite = state.range(0) != 0;
    bool dollars = false;
    quint64 reads = 0;
    for (auto _ : state) {
        if (rewrite)
            dollars = !dollars;
        b.totals->resetRecordsRead();
        if (!b.totals->updateAll(dollars ? u"USD" : u"EUR"))
            state.SkipWithError("the update failed");
        reads += b.totals->recordsRead();
    }
    if (dollars)  // leave the book in euros
        (void)b.totals->updateAll(u"EUR");
    state.counters["records_read"] =
        benchmark::Counter(static_cast<double>(reads), benchmark::Counter::kAvgIterations);
}

}  // namespace

BENCHMARK(BM_RecomputeOneStaleProject<false>)
    ->Name("BM_RecomputeOneStaleProject")
    ->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_RecomputeOneStaleProject<true>)
    ->Name("BM_UpdateStaleWithOneStaleProject")
    ->Unit(benchmark::kMillisecond);
// Arg 1: every project's sums change and are written; 0: nothing changes.
BENCHMARK(BM_FullUpdate)->Arg(1)->Arg(0)->Unit(benchmark::kMillisecond)->Iterations(5);
