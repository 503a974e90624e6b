#include "platform/ObjectStore.h"

#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <random>

namespace {

// Starts the writer child and kills it (SIGKILL) once it has printed
// `linesBeforeKill` progress lines.
void runAndKill(const QString& path, const char* mode, int linesBeforeKill)
{
    QProcess child;
    child.start(QStringLiteral(STORE_WRITER_CHILD),
                {path, QString::fromLatin1(mode), QStringLiteral("1000000")});
    ASSERT_TRUE(child.waitForStarted());
    int lines = 0;
    while (lines < linesBeforeKill) {
        ASSERT_TRUE(child.waitForReadyRead(30000)) << "the child stopped writing";
        while (child.canReadLine() && lines < linesBeforeKill) {
            child.readLine();
            ++lines;
        }
    }
    child.kill();
    child.waitForFinished();
}

qint64 countAfterReopening(const QString& path)
{
    auto store = ObjectStore::open(path);
    EXPECT_TRUE(store);
    if (!store)
        return -1;
    const DbId db = store->findDatabase(QStringLiteral("Crash"));
    QString problem;
    EXPECT_TRUE(store->verify(db, &problem)) << problem.toStdString();
    return store->recordCount(db);
}

TEST(StoreCrashTest, KilledInsideATransactionLeavesTheBookAsBefore)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("tallyra.db"));
    runAndKill(path, "transaction", 6);  // about 2,500 records written, none committed
    EXPECT_EQ(countAfterReopening(path), 0);
}

TEST(StoreCrashTest, KilledBetweenSingleWritesKeepsEveryCommittedRecordWhole)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("tallyra.db"));
    std::mt19937 rng(7);
    qint64 previous = 0;
    for (int round = 0; round < 3; ++round) {
        runAndKill(path, "single", 1 + static_cast<int>(rng() % 3));
        const qint64 count = countAfterReopening(path);
        EXPECT_GT(count, previous) << "the writes that returned were durable";
        previous = count;
    }
}

}  // namespace
