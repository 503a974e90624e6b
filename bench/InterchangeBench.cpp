// Backup and restore of whole books (the design's bar: under 1 s each for
// 100,000 transactions, under 10 s for a million), and an account's export.
#include "BenchRun.h"

#include "interchange/Backup.h"
#include "interchange/ExportWriter.h"
#include "interchange/Restore.h"
#include "reference/Categories.h"
#include "reference/Projects.h"

#include <benchmark/benchmark.h>

#include <QDir>
#include <QFileInfo>

#include <memory>

namespace {

// A private copy of a whole book with its cursors open in their working
// sorts and the account-key order built, as a running program has them.
struct OpenCopy {
    explicit OpenCopy(qint64 transactions) : copy(transactions, BenchBook::Layout::Even)
    {
        if (!copy.folder())
            return;
        store = ObjectStore::open(copy.folder()->storePath());
        if (!store)
            return;
        tables.attach(store.get());
        if (!tables.openAll() || !tables.setWorkingSorts())
            store.reset();
        else
            tables.transactions().moveTo(0);
    }
    bool ok() const { return store != nullptr; }
    QString file(const QString& name) const { return copy.folder()->filePath(name); }

    BenchBook::BookCopy copy;
    std::unique_ptr<ObjectStore> store;
    TableSet tables;
};

class IgnoredSettings : public RestoreSettings {
public:
    bool writeText(const QString&, const QString&, const QString&) override { return true; }
    bool writeInt(const QString&, const QString&, qint32) override { return true; }
};

void BM_Backup(benchmark::State& state)
{
    OpenCopy book(state.range(0));
    if (!book.ok()) {
        state.SkipWithError("no book");
        return;
    }
    SilentInteraction ui;
    const QString path = book.file(QStringLiteral("bench.tyb"));
    qint64 records = 0;
    for (auto _ : state) {
        Backup backup(book.tables, ui);
        records = backup.countRecords();
        if (!backup.run(Backup::Request{path, 0, QStringLiteral("EUR")}))
            state.SkipWithError("backup failed");
    }
    state.counters["records"] = static_cast<double>(records);
    state.counters["MB"] = static_cast<double>(QFileInfo(path).size()) / 1e6;
}

// Each run replaces the book's records by the same records from the file,
// as restoring yesterday's backup over today's book does.
void BM_Restore(benchmark::State& state)
{
    OpenCopy book(state.range(0));
    if (!book.ok()) {
        state.SkipWithError("no book");
        return;
    }
    BenchBook::YesInteraction ui;
    const QString path = book.file(QStringLiteral("bench.tyb"));
    if (!Backup(book.tables, ui).run(Backup::Request{path, 0, QStringLiteral("EUR")})) {
        state.SkipWithError("backup failed");
        return;
    }
    IgnoredSettings settings;
    const LocaleValues locale;
    for (auto _ : state) {
        if (Restore(book.tables, locale, ui, settings).restoreFrom(path) != Restore::Outcome::Completed)
            state.SkipWithError("restore failed");
    }
    state.counters["transactions"] = static_cast<double>(book.tables.transactions().count());
}

// One account of the ten, every transaction, as QIF.
void BM_ExportAccount(benchmark::State& state)
{
    OpenCopy book(state.range(0));
    if (!book.ok()) {
        state.SkipWithError("no book");
        return;
    }
    Categories categories(book.tables);
    Projects projects(book.tables);
    const LocaleValues locale;
    const CodePage codePage = CodePage::defaultPage();
    ExportWriter writer(book.tables, categories, projects, locale, codePage);
    const ExportRequest request{
        1, book.file(QStringLiteral("bench.qif")), ExportFormat::Qif, 0, maxFileTime(), false};
    for (auto _ : state) {
        if (!writer.write(request))
            state.SkipWithError("export failed");
    }
    state.counters["transactions"] = static_cast<double>(writer.written());
}

}  // namespace

BENCHMARK(BM_Backup)->Arg(100'000)->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(BM_Backup)->Arg(1'000'000)->Unit(benchmark::kMillisecond)->Iterations(2);
BENCHMARK(BM_Restore)->Arg(100'000)->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(BM_Restore)->Arg(1'000'000)->Unit(benchmark::kMillisecond)->Iterations(2);
BENCHMARK(BM_ExportAccount)->Arg(100'000)->Unit(benchmark::kMillisecond)->Iterations(5);
