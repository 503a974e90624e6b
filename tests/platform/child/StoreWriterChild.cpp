// Writes records into a store until it is killed; the crash tests kill it at
// chosen moments and check what the next opening finds.
//   store_writer_child PATH transaction|single COUNT
#include "platform/ObjectStore.h"
#include "platform/StoreTransaction.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

int main(int argc, char** argv)
{
    if (argc != 4)
        return 2;
    auto store = ObjectStore::open(QString::fromLocal8Bit(argv[1]));
    if (!store)
        return 1;
    DbId db = store->findDatabase(QStringLiteral("Crash"));
    if (db == 0)
        db = store->createDatabase(QStringLiteral("Crash"), {{101, PropType::Text}});
    const bool inTransaction = std::strcmp(argv[2], "transaction") == 0;
    const int count = std::atoi(argv[3]);
    std::optional<StoreTransaction> t;
    if (inTransaction)
        t.emplace(*store);
    for (int i = 0; i < count; ++i) {
        const PropList props = {
            PropValue::ofText(101, QStringLiteral("%1_key").arg(i, 8, 10, QLatin1Char('0'))),
            PropValue::ofText(110, QString(200, QLatin1Char('d'))), PropValue::ofInt64(112, i)};
        if (store->writeRecord(db, 0, props) == 0)
            return 1;
        if (i % 500 == 0) {
            std::printf("wrote %d\n", i);
            std::fflush(stdout);
        }
    }
    if (t && !t->commit())
        return 1;
    std::printf("done\n");
    std::fflush(stdout);
    return 0;
}
