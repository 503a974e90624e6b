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

#include "interchange/QifImport.h"
#include "platform/FixedClock.h"
#include "platform/ObjectStore.h"
#include "platform/StoreTransaction.h"
#include "reference/Categories.h"
#include "reference/CurrencyCache.h"
#include "reference/ProjectTotals.h"
#include "reference/Projects.h"
#include "store/KeyText.h"
#include "store/RecordLayout.h"
#include "store/TableSet.h"

#include <QBuffer>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <memory>

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

// A book of one empty dollar account in a folder of its own; with
// `otherTransactions`, a second account holds that many already. Its keys
// ("2_...") sort after the imported account's, so every new transaction is
// inserted in front of all of them.
struct ImportBook {
    explicit ImportBook(int otherTransactions = 0)
    {
        store = ObjectStore::open(dir.filePath(QStringLiteral("tallyra.db")));
        tables.attach(store.get());
        tables.openAll();
        tables.setWorkingSorts();
        DbTable& c = tables.currencies();
        c.beginNew();
        c.setInt(Prop::CurrencyNumber, 1);
        c.setText(Prop::CurrencyCode, QStringLiteral("USD"), true);
        currencies.reload();
        static_cast<void>(categories.ensureRoot());
        static_cast<void>(projects.ensureRoot());
        DbTable& a = tables.accounts();
        a.beginNew();
        a.setInt(Prop::AccountId, 1);
        a.setText(Prop::Name, QStringLiteral("Checking"));
        a.setText(Prop::CurrencyCode, QStringLiteral("USD"), true);
        if (otherTransactions > 0)
            fillSecondAccount(otherTransactions);
    }

    void fillSecondAccount(int count)
    {
        DbTable& a = tables.accounts();
        a.beginNew();
        a.setInt(Prop::AccountId, 2);
        a.setText(Prop::Name, QStringLiteral("Savings"));
        a.setText(Prop::CurrencyCode, QStringLiteral("USD"), true);
        StoreTransaction transaction(*store);
        const DbId db = store->findDatabase(QStringLiteral("Tallyra Transaction"));
        const FileTime start = *fileTimeFromLocal(LocalTime{2020, 1, 1, 9, 0, 0, 0});
        for (int i = 0; i < count; ++i) {
            const FileTime t = addMilliseconds(start, 60'000LL * i);
            store->writeRecord(
                db, 0,
                {PropValue::ofText(Prop::AccountKey, fullKey(2, t)), PropValue::ofInt(Prop::AccountId, 2),
                 PropValue::ofInt64(Prop::Date, t), PropValue::ofText(Prop::Name, QStringLiteral("x")),
                 PropValue::ofInt64(Prop::Amount, 100), PropValue::ofInt64(Prop::Balance, 100LL * (i + 1)),
                 PropValue::ofText(Prop::CurrencyCode, QStringLiteral("USD"))});
        }
        static_cast<void>(transaction.commit());
        tables.setWorkingSorts();
    }

    QifImportResult import(const QByteArray& qif)
    {
        QBuffer buffer;
        buffer.setData(qif);
        buffer.open(QIODevice::ReadOnly);
        return QifImport(QifImportContext{tables, categories, projects, totals, QStringLiteral("USD"), clock,
                                          locale, codePage, ui})
            .importDevice(buffer, 1);
    }

    QTemporaryDir dir;
    std::unique_ptr<ObjectStore> store;
    TableSet tables;
    CurrencyCache currencies{tables.currencies()};
    Categories categories{tables};
    Projects projects{tables};
    ProjectTotals totals{tables, projects, currencies};
    FixedClock clock{LocalTime{2024, 3, 5, 10, 0, 0, 0}};
    LocaleValues locale;
    CodePage codePage = CodePage::defaultPage();
    SilentInteraction ui;
};

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
