#include "BenchBook.h"

#include "platform/StoreTransaction.h"
#include "store/FileTime.h"
#include "store/KeyText.h"
#include "store/RecordLayout.h"
#include "store/TableDefinition.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>

#include <cstdio>

namespace BenchBook {
namespace {

const QStringList Payees = {QStringLiteral("Grocery Market"), QStringLiteral("City Power"),
                            QStringLiteral("Rent"),           QStringLiteral("Salary"),
                            QStringLiteral("Coffee House"),   QStringLiteral("Fuel Station"),
                            QStringLiteral("Insurance"),      QStringLiteral("Phone")};

FileTime dayOf(qint64 index)
{
    const FileTime start = *fileTimeFromLocal(LocalTime{1990, 1, 1, 9, 0, 0, 0});
    // Several transactions a day, spread over the day.
    return addMilliseconds(addDays(start, index / 8), (index % 8) * 3'600'000 + index % 997);
}

bool build(const QString& path, qint64 transactions)
{
    QFile::remove(path);
    QFile::remove(path + QStringLiteral("-wal"));
    QFile::remove(path + QStringLiteral("-shm"));
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
        const qint32 account = static_cast<qint32>(i % Accounts) + 1;
        if (store->writeRecord(db, 0, transactionRecord(account, i / Accounts)) == 0)
            return false;
    }
    return t.commit();
}

}  // namespace

PropList transactionRecord(qint32 account, qint64 index)
{
    const FileTime when = dayOf(index);
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
        const qint32 project = static_cast<qint32>(index % 40) + 2;
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

}  // namespace BenchBook
