#include "platform/ObjectStore.h"

#include "platform/StoreTransaction.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <algorithm>
#include <random>

namespace {

constexpr quint16 Key = 101;
constexpr quint16 Id = 104;
constexpr quint16 When = 108;
constexpr quint16 Name = 110;

class ObjectStoreTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_dir.isValid());
        store = ObjectStore::open(path());
        ASSERT_TRUE(store);
        db = store->createDatabase(QStringLiteral("Things"),
                                   {{Key, PropType::Text}, {Id, PropType::Int}, {When, PropType::Int64}});
        ASSERT_NE(db, 0u);
    }
    QString path() const { return m_dir.filePath(QStringLiteral("tallyra.db")); }

    RecordId add(const PropList& props) { return store->writeRecord(db, 0, props); }
    RecordId addKey(const QString& key) { return add({PropValue::ofText(Key, key)}); }

    // The records of a sort order, as the values of one text property.
    std::vector<QString> order(quint16 sort, quint16 shown = Name)
    {
        std::vector<QString> out;
        for (qint64 i = 0; i < store->recordCount(db); ++i) {
            PropList props;
            EXPECT_TRUE(store->readRecord(db, store->recordAt(db, sort, i), props));
            auto it =
                std::find_if(props.begin(), props.end(), [&](const PropValue& p) { return p.id == shown; });
            out.push_back(it == props.end() ? QStringLiteral("-") : it->text);
        }
        return out;
    }

    QTemporaryDir m_dir;
    std::unique_ptr<ObjectStore> store;
    DbId db = 0;
};

TEST_F(ObjectStoreTest, CatalogueKeepsDatabasesAcrossReopening)
{
    EXPECT_EQ(store->createDatabase(QStringLiteral("Things"), {}), 0u) << "a second database of one name";
    EXPECT_EQ(store->findDatabase(QStringLiteral("Nothing")), 0u);
    EXPECT_EQ(store->lastError(), StoreError::NotFound);
    add({PropValue::ofText(Key, QStringLiteral("a")), PropValue::ofInt(Id, 7)});
    store.reset();

    store = ObjectStore::open(path());
    ASSERT_TRUE(store);
    EXPECT_EQ(store->findDatabase(QStringLiteral("Things")), db);
    EXPECT_EQ(store->recordCount(db), 1);
    const std::vector<SortSpec> expected = {
        {Key, PropType::Text}, {Id, PropType::Int}, {When, PropType::Int64}};
    EXPECT_EQ(store->sortSpecs(db), expected);
}

TEST_F(ObjectStoreTest, ForeignAndDamagedFilesAreRefusedUntouched)
{
    const QString garbage = m_dir.filePath(QStringLiteral("garbage.db"));
    {
        QFile f(garbage);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(QByteArray(5000, 'x'));
    }
    QString error;
    EXPECT_FALSE(ObjectStore::open(garbage, &error));
    EXPECT_FALSE(error.isEmpty());
    QFile f(garbage);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), QByteArray(5000, 'x'));
    EXPECT_FALSE(QFile::exists(garbage + QStringLiteral("-wal")));
}

TEST_F(ObjectStoreTest, TextSortsByUtf16CodeUnitsWithMissingValuesLast)
{
    // U+1F600 is a surrogate pair (D83D DE00), below U+E000 as code units
    // though above it as a code point.
    const QStringList keys = {QStringLiteral("1_b"),  QStringLiteral("12_a"),
                              QString(QChar(0xE000)), QString::fromUcs4(U"\U0001F600"),
                              QStringLiteral("1_a"),  QStringLiteral("1_a")};
    int n = 0;
    for (const QString& k : keys)
        add({PropValue::ofText(Key, k), PropValue::ofText(Name, QString::number(n++))});
    add({PropValue::ofText(Name, QStringLiteral("nokey1"))});
    add({PropValue::ofText(Name, QStringLiteral("nokey2"))});

    // "12_" < "1_" because '2' < '_'; equal keys keep insertion order (4 before 5).
    const std::vector<QString> expected = {
        QStringLiteral("1"), QStringLiteral("4"), QStringLiteral("5"),      QStringLiteral("0"),
        QStringLiteral("3"), QStringLiteral("2"), QStringLiteral("nokey1"), QStringLiteral("nokey2")};
    EXPECT_EQ(order(Key), expected);
    store.reset();
    store = ObjectStore::open(path());
    EXPECT_EQ(order(Key), expected) << "the order rebuilt from the file is the same";
}

TEST_F(ObjectStoreTest, SeeksFindEqualSmallerAndNotLessButNeverMissingValues)
{
    for (int v : {10, 20, 20, 30})
        add({PropValue::ofInt(Id, v), PropValue::ofText(Name, QString::number(v))});
    add({PropValue::ofText(Name, QStringLiteral("none"))});

    struct Case {
        SeekKind kind;
        qint32 value;
        qint64 position;
    };
    const Case cases[] = {
        {SeekKind::Equal, 20, 1},   {SeekKind::Equal, 25, -1},   {SeekKind::Equal, 0, -1},
        {SeekKind::Smaller, 20, 0}, {SeekKind::Smaller, 10, -1}, {SeekKind::Smaller, 99, 3},
        {SeekKind::NotLess, 15, 1}, {SeekKind::NotLess, 30, 3},  {SeekKind::NotLess, 31, -1},
    };
    for (const Case& c : cases) {
        const ObjectStore::Hit hit = store->seek(db, Id, c.kind, PropValue::ofInt(Id, c.value));
        EXPECT_EQ(hit.position, c.position) << static_cast<int>(c.kind) << " " << c.value;
        EXPECT_EQ(hit.record != 0, c.position >= 0);
    }
    EXPECT_EQ(store->seek(db, Id, SeekKind::Equal, PropValue::ofText(Id, QStringLiteral("20"))).record, 0)
        << "a value of another type matches nothing";
    EXPECT_EQ(store->seek(db, 0, SeekKind::Equal, PropValue::ofInt(Id, 20)).record, 0) << "no sort, no seek";
}

TEST_F(ObjectStoreTest, WritesMergeReplaceAndRemoveProperties)
{
    const RecordId r = add({PropValue::ofText(Name, QStringLiteral("a")), PropValue::ofInt64(When, 5)});
    ASSERT_NE(r, 0);
    EXPECT_EQ(store->writeRecord(db, r,
                                 {PropValue::ofText(Name, QStringLiteral("b")),
                                  PropValue::removal(When, PropType::Int64), PropValue::ofInt(Id, -3)}),
              r);
    PropList props;
    ASSERT_TRUE(store->readRecord(db, r, props));
    const PropList expected = {PropValue::ofText(Name, QStringLiteral("b")), PropValue::ofInt(Id, -3)};
    EXPECT_EQ(props, expected);

    EXPECT_EQ(store->writeRecord(db, r, {}), 0);
    EXPECT_EQ(store->lastError(), StoreError::NoData);
    EXPECT_EQ(store->writeRecord(db, r + 100, {PropValue::ofInt(Id, 1)}), 0);
    EXPECT_EQ(store->lastError(), StoreError::NotFound);
    EXPECT_FALSE(store->deleteRecord(db, r + 100));
    EXPECT_EQ(store->recordCount(db), 1);
}

TEST_F(ObjectStoreTest, ValuesSurviveTheirExtremes)
{
    const QString text = QString(QChar(0)) + QStringLiteral("a\u00e9") + QString(QChar(0xFFFF)) +
                         QString(70000, QLatin1Char('z'));
    const RecordId r =
        add({PropValue::ofInt(Id, std::numeric_limits<qint32>::min()),
             PropValue::ofInt64(When, std::numeric_limits<qint64>::min()), PropValue::ofText(Name, text)});
    store.reset();
    store = ObjectStore::open(path());
    PropList props;
    ASSERT_TRUE(store->readRecord(db, r, props));
    ASSERT_EQ(props.size(), 3u);
    EXPECT_EQ(props[0].number, std::numeric_limits<qint32>::min());
    EXPECT_EQ(props[1].number, std::numeric_limits<qint64>::min());
    EXPECT_EQ(props[2].text, text);
    EXPECT_EQ(
        store->seek(db, When, SeekKind::Equal, PropValue::ofInt64(When, std::numeric_limits<qint64>::min()))
            .record,
        r);
}

// Random inserts, rewrites of sort values and deletes, checked against a
// plain sorted model after every step.
TEST_F(ObjectStoreTest, PositionsFollowEveryWriteLikeASortedModel)
{
    std::mt19937 rng(20261207);
    std::map<RecordId, std::optional<qint32>> model;
    const auto expectedOrder = [&] {
        std::vector<std::pair<qint32, RecordId>> keyed;
        std::vector<RecordId> missing;
        for (const auto& [id, v] : model) {
            if (v)
                keyed.emplace_back(*v, id);
            else
                missing.push_back(id);
        }
        std::sort(keyed.begin(), keyed.end());
        std::vector<RecordId> out;
        for (const auto& e : keyed)
            out.push_back(e.second);
        out.insert(out.end(), missing.begin(), missing.end());
        return out;
    };
    for (int step = 0; step < 600; ++step) {
        const int action = static_cast<int>(rng() % 10);
        if (action < 5 || model.empty()) {
            std::optional<qint32> v;
            if (rng() % 6)
                v = static_cast<qint32>(rng() % 50);
            PropList props = {PropValue::ofText(Name, QStringLiteral("x"))};
            if (v)
                props.push_back(PropValue::ofInt(Id, *v));
            const RecordId r = add(props);
            ASSERT_NE(r, 0);
            model[r] = v;
        } else {
            auto it = model.begin();
            std::advance(it, static_cast<long>(rng() % model.size()));
            if (action < 8) {
                const qint32 v = static_cast<qint32>(rng() % 50);
                ASSERT_EQ(store->writeRecord(db, it->first, {PropValue::ofInt(Id, v)}), it->first);
                it->second = v;
            } else {
                ASSERT_TRUE(store->deleteRecord(db, it->first));
                model.erase(it);
            }
        }
        const std::vector<RecordId> expected = expectedOrder();
        ASSERT_EQ(store->recordCount(db), static_cast<qint64>(expected.size()));
        if (expected.empty())
            continue;
        const size_t probe = rng() % expected.size();
        ASSERT_EQ(store->recordAt(db, Id, static_cast<qint64>(probe)), expected[probe]) << "step " << step;
        ASSERT_EQ(store->positionOf(db, Id, expected[probe]), static_cast<qint64>(probe));
    }
    std::vector<RecordId> actual;
    for (qint64 i = 0; i < store->recordCount(db); ++i)
        actual.push_back(store->recordAt(db, Id, i));
    EXPECT_EQ(actual, expectedOrder());
    QString problem;
    EXPECT_TRUE(store->verify(db, &problem)) << problem.toStdString();
}

TEST_F(ObjectStoreTest, RolledBackTransactionLeavesNoTraceInFileOrIndexes)
{
    addKey(QStringLiteral("b"));
    {
        StoreTransaction t(*store);
        ASSERT_TRUE(t.isOpen());
        addKey(QStringLiteral("a"));
        addKey(QStringLiteral("c"));
        EXPECT_EQ(store->recordCount(db), 3);
    }
    EXPECT_EQ(store->recordCount(db), 1);
    EXPECT_EQ(store->seek(db, Key, SeekKind::Equal, PropValue::ofText(Key, QStringLiteral("a"))).record, 0);
    EXPECT_NE(store->recordAt(db, Key, 0), 0);
    EXPECT_EQ(store->recordAt(db, Key, 1), 0);
}

TEST_F(ObjectStoreTest, InnerRollbackUndoesTheWholeTransaction)
{
    {
        StoreTransaction outer(*store);
        addKey(QStringLiteral("a"));
        {
            StoreTransaction inner(*store);
            addKey(QStringLiteral("b"));
        }
        EXPECT_FALSE(outer.commit()) << "the inner step failed, so the command fails";
    }
    EXPECT_EQ(store->recordCount(db), 0);
    EXPECT_EQ(store->transactionDepth(), 0);
    {
        StoreTransaction outer(*store);
        addKey(QStringLiteral("a"));
        {
            StoreTransaction inner(*store);
            addKey(QStringLiteral("b"));
            EXPECT_TRUE(inner.commit());
        }
        EXPECT_TRUE(outer.commit());
    }
    store.reset();
    store = ObjectStore::open(path());
    EXPECT_EQ(store->recordCount(db), 2);
}

TEST_F(ObjectStoreTest, FailedWriteChangesNothing)
{
    const RecordId r = addKey(QStringLiteral("m"));
    bool failing = true;
    store->setWriteFault([&] { return failing; });
    EXPECT_EQ(addKey(QStringLiteral("n")), 0);
    EXPECT_EQ(store->lastError(), StoreError::Io);
    EXPECT_EQ(store->writeRecord(db, r, {PropValue::ofText(Key, QStringLiteral("z"))}), 0);
    EXPECT_FALSE(store->deleteRecord(db, r));
    failing = false;
    EXPECT_EQ(store->recordCount(db), 1);
    EXPECT_EQ(store->seek(db, Key, SeekKind::Equal, PropValue::ofText(Key, QStringLiteral("m"))).record, r);
}

// Inside a transaction a 64-bit value that no sort order reads is written in
// place of the old one (a running balance walk); every other change, and a
// read of any record between, must still see and keep the whole record.
TEST_F(ObjectStoreTest, SixtyFourBitRewritesInATransactionKeepEverythingElse)
{
    constexpr quint16 Balance = 113;
    std::vector<RecordId> ids;
    for (int i = 0; i < 5; ++i) {
        ids.push_back(
            add({PropValue::ofText(Key, QStringLiteral("k%1").arg(i)), PropValue::ofInt64(Balance, 1),
                 PropValue::ofText(Name, QStringLiteral("n%1").arg(i)), PropValue::ofInt64(When, 10 + i)}));
    }
    auto valueOf = [&](RecordId r, quint16 id) {
        PropList props;
        EXPECT_TRUE(store->readRecord(db, r, props));
        for (const PropValue& p : props) {
            if (p.id == id)
                return p.number;
        }
        return qint64(-1);
    };
    {
        StoreTransaction t(*store);
        for (size_t i = 0; i < ids.size(); ++i) {
            PropList props;
            ASSERT_TRUE(store->readRecord(db, ids[i], props));
            ASSERT_EQ(store->writeRecord(db, ids[i],
                                         {PropValue::ofInt64(Balance, -1'000'000'000'000LL * qint64(i))}),
                      ids[i]);
        }
        // A sorted 64-bit value moves the record in its order.
        ASSERT_EQ(store->writeRecord(db, ids[0], {PropValue::ofInt64(When, 99)}), ids[0]);
        // A property the record lacked makes it longer.
        ASSERT_EQ(store->writeRecord(db, ids[1], {PropValue::ofInt64(Id + 50, 7)}), ids[1]);
        ASSERT_EQ(store->writeRecord(db, ids[1], {PropValue::ofInt64(Balance, 5)}), ids[1]);
        EXPECT_EQ(valueOf(ids[1], Balance), 5);
        EXPECT_TRUE(store->deleteRecord(db, ids[4]));
        EXPECT_EQ(store->writeRecord(db, ids[4], {PropValue::ofInt64(Balance, 5)}), 0) << "a deleted record";
        ASSERT_TRUE(t.commit());
    }
    store.reset();
    store = ObjectStore::open(path());
    ASSERT_TRUE(store);
    EXPECT_EQ(valueOf(ids[1], Balance), 5);
    EXPECT_EQ(valueOf(ids[1], Id + 50), 7);
    EXPECT_EQ(valueOf(ids[3], Balance), -3'000'000'000'000LL);
    EXPECT_EQ(valueOf(ids[3], When), 13);
    PropList third;
    ASSERT_TRUE(store->readRecord(db, ids[2], third));
    ASSERT_EQ(third.size(), 4u);
    EXPECT_EQ(third[2].text, QStringLiteral("n2")) << "the text after the rewritten value is intact";
    EXPECT_EQ(store->recordAt(db, When, 3), ids[0]) << "moved last by its new date";
    EXPECT_EQ(store->recordCount(db), 4);

    // Rolled back, the values written in place are gone too.
    {
        StoreTransaction t(*store);
        PropList props;
        ASSERT_TRUE(store->readRecord(db, ids[2], props));
        ASSERT_EQ(store->writeRecord(db, ids[2], {PropValue::ofInt64(Balance, 77)}), ids[2]);
        EXPECT_EQ(valueOf(ids[2], Balance), 77);
    }
    EXPECT_EQ(valueOf(ids[2], Balance), -2'000'000'000'000LL);
}

TEST_F(ObjectStoreTest, AnotherConnectionsWritesAreSeenAfterCheckingForChanges)
{
    addKey(QStringLiteral("b"));
    auto other = ObjectStore::open(path());
    ASSERT_TRUE(other);
    EXPECT_EQ(other->recordCount(db), 1);
    EXPECT_FALSE(other->checkForChanges());

    addKey(QStringLiteral("a"));
    EXPECT_EQ(other->recordCount(db), 1) << "cached until the other program looks";
    const quint64 generation = other->generation();
    EXPECT_TRUE(other->checkForChanges());
    EXPECT_GT(other->generation(), generation);
    EXPECT_EQ(other->recordCount(db), 2);
    PropList props;
    ASSERT_TRUE(other->readRecord(db, other->recordAt(db, Key, 0), props));
    EXPECT_EQ(props[0].text, QStringLiteral("a"));
    EXPECT_FALSE(store->checkForChanges()) << "its own writes are no change to a program";
}

TEST_F(ObjectStoreTest, ResortingRebuildsTheSameOrder)
{
    for (const char* k : {"3_", "1_", "2_"})
        add({PropValue::ofText(Key, QString::fromLatin1(k)),
             PropValue::ofText(Name, QString::fromLatin1(k))});
    const std::vector<QString> before = order(Key);
    ASSERT_TRUE(store->setSortSpecs(db, {}));
    EXPECT_FALSE(store->hasSort(db, Key));
    EXPECT_EQ(store->recordAt(db, Key, 0), 0);
    ASSERT_TRUE(store->setSortSpecs(db, {{Key, PropType::Text}, {Id, PropType::Int}}));
    EXPECT_EQ(order(Key), before);
    EXPECT_EQ(before.front(), QStringLiteral("1_"));
}

TEST_F(ObjectStoreTest, HoldsFarMoreThanSixtyFiveThousandRecords)
{
    StoreTransaction t(*store);
    for (int i = 0; i < 70000; ++i)
        ASSERT_NE(add({PropValue::ofInt(Id, 70000 - i)}), 0);
    ASSERT_TRUE(t.commit());
    EXPECT_EQ(store->recordCount(db), 70000);
    PropList props;
    ASSERT_TRUE(store->readRecord(db, store->recordAt(db, Id, 69999), props));
    EXPECT_EQ(props[0].number, 70000);
}

}  // namespace
