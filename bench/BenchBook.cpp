#include "BenchBook.h"

#include "BenchRun.h"

#include "accounts/AccountCreator.h"
#include "accounts/BalanceRecalc.h"
#include "platform/FixedClock.h"
#include "platform/StoreTransaction.h"
#include "reference/BuiltInCurrencies.h"
#include "shell/ExitStep.h"
#include "store/FileTime.h"
#include "store/KeyText.h"
#include "store/RecordLayout.h"
#include "store/TableDefinition.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>

#include <cstdio>
#include <vector>

namespace BenchBook {
namespace {

const QStringList Payees = {QStringLiteral("Grocery Market"), QStringLiteral("City Power"),
                            QStringLiteral("Rent"),           QStringLiteral("Salary"),
                            QStringLiteral("Coffee House"),   QStringLiteral("Fuel Station"),
                            QStringLiteral("Insurance"),      QStringLiteral("Phone")};

constexpr int Projects = 40;

// `perDay` transactions a day between 9:00 and 17:00; with 8 a day they fall
// on the hour, as the books made before the layouts existed hold them.
FileTime dayOf(qint64 index, int perDay)
{
    const FileTime start = *fileTimeFromLocal(LocalTime{1990, 1, 1, 9, 0, 0, 0});
    const qint64 spacingMs = 28'800'000 / perDay;
    return addMilliseconds(addDays(start, index / perDay), (index % perDay) * spacingMs + index % 997);
}

void removeStore(const QString& path)
{
    for (const QString& suffix : {QString(), QStringLiteral("-wal"), QStringLiteral("-shm")})
        QFile::remove(path + suffix);
}

bool build(const QString& path, qint64 transactions)
{
    removeStore(path);
    auto store = ObjectStore::open(path);
    if (!store)
        return false;
    TableSet tables;
    tables.attach(store.get());
    if (!tables.openAll())
        return false;
    const DbId db = store->findDatabase(TableDefinitions::of(TableKind::Transaction).name);
    std::fprintf(stderr, "making a book of %lld transactions...\n", static_cast<long long>(transactions));
    StoreTransaction t(*store);
    for (qint64 i = 0; i < transactions; ++i) {
        const qint32 account = accountOf(Layout::Even, i);
        if (store->writeRecord(db, 0, transactionRecord(account, i / Accounts)) == 0)
            return false;
    }
    return t.commit();
}

// The first account of the book, asked for by the first start.
class FirstBenchAccount : public FirstAccountSource {
public:
    std::optional<AccountDraft> firstAccount(QStringView) override
    {
        return AccountDraft{QStringLiteral("Account 1"), BuiltInCurrencies::firstRowOf(u"EUR"), Money()};
    }
};

// Accounts 2 .. Accounts and the projects, through the program's own logic.
bool addAccountsAndProjects(MainBook& book, const Clock& clock)
{
    AccountCreator creator(book.tables(), book.currencies(), clock);
    for (int i = 2; i <= Accounts; ++i) {
        const AccountDraft draft{QStringLiteral("Account %1").arg(i), BuiltInCurrencies::firstRowOf(u"EUR"),
                                 Money()};
        if (creator.create(draft) != i)
            return false;
    }
    for (int i = 0; i < Projects; ++i) {
        if (book.projects().create(RootProjectId, QStringLiteral("Project %1").arg(i + 2)) == 0)
            return false;
    }
    return true;
}

// The transactions, written in key order per account with their right
// running balances, so the recalculation that follows only reads them.
bool writeTransactions(ObjectStore& store, qint64 transactions, Layout layout)
{
    const DbId db = store.findDatabase(TableDefinitions::of(TableKind::Transaction).name);
    std::vector<qint64> next(Accounts + 1, 0);
    std::vector<qint64> balance(Accounts + 1, 0);
    StoreTransaction t(store);
    for (qint64 i = 0; i < transactions; ++i) {
        const qint32 account = accountOf(layout, i);
        PropList props = transactionRecord(account, next[account]++, 48);
        for (PropValue& p : props) {
            if (p.id == Prop::Amount)
                balance[account] += p.number;
        }
        for (PropValue& p : props) {
            if (p.id == Prop::Balance)
                p.number = balance[account];
        }
        if (store.writeRecord(db, 0, props) == 0)
            return false;
        if (i % 100'000 == 99'999)
            std::fprintf(stderr, "  %lld written\n", static_cast<long long>(i + 1));
    }
    return t.commit();
}

bool buildFolder(const QString& dir, qint64 transactions, Layout layout)
{
    QDir(dir).removeRecursively();
    const std::optional<BookFolder> folder = BookFolder::open(dir);
    if (!folder)
        return false;
    std::fprintf(stderr, "making a whole book of %lld transactions...\n",
                 static_cast<long long>(transactions));
    FixedClock clock(BookNow);
    SilentInteraction ui;
    const LocaleValues locale;
    FirstBenchAccount first;
    MainBook book(*folder);
    if (StartUp(book, clock, ui, first, StartUp::standardHooks(book, clock, locale, ui)).run() !=
        StartUp::Outcome::Ready)
        return false;
    const bool filled = addAccountsAndProjects(book, clock) &&
                        writeTransactions(*book.store(), transactions, layout) &&
                        BalanceRecalc(book.tables()).recalcAll() && book.updateAllProjectTotals() &&
                        book.settings().write(TallyraSettings::Int::AccountId, 1);
    // The orderly exit writes the horizon back: the next start is a fast one.
    ExitStep::run(book);
    return filled;
}

QString layoutName(Layout layout)
{
    return layout == Layout::Even ? QStringLiteral("even") : QStringLiteral("onebig");
}

}  // namespace

qint32 accountOf(Layout layout, qint64 index)
{
    if (layout == Layout::Even)
        return static_cast<qint32>(index % Accounts) + 1;
    if (index % 2 == 0)
        return 1;
    return static_cast<qint32>((index / 2) % (Accounts - 1)) + 2;
}

PropList transactionRecord(qint32 account, qint64 index, int perDay)
{
    const FileTime when = dayOf(index, perDay);
    const qint64 amount = (index % 7 == 0 ? 1 : -1) * (1000 + (index * 7919) % 250000);
    PropList props = {
        PropValue::ofText(Prop::AccountKey, fullKey(account, when)),
        PropValue::ofInt(Prop::AccountId, account),
        PropValue::ofInt64(Prop::Date, when),
        PropValue::ofText(Prop::Name, Payees[static_cast<int>(index % Payees.size())]),
        PropValue::ofInt64(Prop::Amount, amount),
        PropValue::ofText(Prop::CurrencyCode, QStringLiteral("EUR")),
        PropValue::ofInt(Prop::CategoryId, static_cast<qint32>(index % 75) + 1),
        PropValue::ofInt64(Prop::Balance, amount * (index + 1)),
    };
    if (index % 3 == 0) {
        const qint32 project = static_cast<qint32>(index % Projects) + 2;
        props.push_back(PropValue::ofInt(Prop::ProjectId, project));
        props.push_back(PropValue::ofText(Prop::ProjectKey, fullKey(project, when)));
    }
    return props;
}

QString storeFor(qint64 transactions)
{
    const QString folder = QStringLiteral(TALLYRA_BENCH_BOOKS);
    QDir().mkpath(folder);
    const QString path = QStringLiteral("%1/book-%2.db").arg(folder).arg(transactions);
    const QString done = path + QStringLiteral(".complete");
    if (QFile::exists(done))
        return path;
    if (!build(path, transactions))
        return {};
    QFile marker(done);
    marker.open(QIODevice::WriteOnly);
    return path;
}

QString folderFor(qint64 transactions, Layout layout)
{
    const QString dir = QStringLiteral("%1/folder-%2-%3")
                            .arg(QStringLiteral(TALLYRA_BENCH_BOOKS), layoutName(layout))
                            .arg(transactions);
    const QString done = dir + QStringLiteral(".complete");
    if (QFile::exists(done))
        return dir;
    if (!buildFolder(dir, transactions, layout))
        return {};
    QFile marker(done);
    marker.open(QIODevice::WriteOnly);
    return dir;
}

bool copyFolder(const QString& from, const QString& to)
{
    QDir(to).removeRecursively();
    if (!QDir().mkpath(to))
        return false;
    const QDir source(from);
    for (const QString& name : source.entryList(QDir::Files)) {
        // A lock file belongs to the run that made it.
        if (name.endsWith(QLatin1String(".lock")))
            continue;
        if (!QFile::copy(source.filePath(name), QDir(to).filePath(name)))
            return false;
    }
    return true;
}

}  // namespace BenchBook
