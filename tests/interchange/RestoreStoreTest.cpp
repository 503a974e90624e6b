// The two store steps a restore is built on: emptying a table at once and
// writing many records in one step. Both must leave the sorted orders, the
// counts and the cursors as single-record writes and deletes would, and both
// must roll back whole.

#include "BackupTestBook.h"
#include "platform/StoreTransaction.h"

using namespace Qt::StringLiterals;

namespace {

PropList account(qint32 id, const QString& name)
{
    return {PropValue::ofInt(Prop::AccountId, id), PropValue::ofText(Prop::Name, name)};
}

class RestoreStoreTest : public ::testing::Test {
protected:
    DbTable& accounts() { return m_book.tables().accounts(); }
    std::vector<qint32> idsInOrder()
    {
        std::vector<qint32> ids;
        for (qint64 p = 0; p < accounts().count(); ++p) {
            EXPECT_TRUE(accounts().moveTo(p));
            ids.push_back(accounts().getInt(Prop::AccountId));
        }
        return ids;
    }

    BackupTestBook m_book;
};

TEST_F(RestoreStoreTest, AppendedRecordsTakeTheirPlaceInEverySortedOrder)
{
    m_book.addAccount(5, QStringLiteral("Five"));
    ASSERT_TRUE(accounts().seekInt(SeekKind::Equal, 5));  // the sorted order is built
    ASSERT_TRUE(
        accounts().appendRecords({account(9, u"Nine"_s), account(2, u"Two"_s), account(7, u"Seven"_s)}));
    EXPECT_EQ(accounts().position(), DbTable::NoRecord);
    EXPECT_EQ(accounts().count(), 4);
    EXPECT_EQ(idsInOrder(), (std::vector<qint32>{2, 5, 7, 9}));
    ASSERT_TRUE(accounts().seekInt(SeekKind::Equal, 7));
    EXPECT_EQ(accounts().getText(Prop::Name), QStringLiteral("Seven"));

    // Another connection sees them too, from the store itself.
    std::unique_ptr<ObjectStore> other = ObjectStore::open(m_book.folder() + u"/tallyra.db"_s);
    ASSERT_TRUE(other);
    EXPECT_EQ(other->recordCount(other->findDatabase(u"Tallyra Account"_s)), 4);
}

TEST_F(RestoreStoreTest, AppendingAnEmptyRecordFailsAndWritesNone)
{
    EXPECT_TRUE(accounts().appendRecords({}));
    EXPECT_FALSE(accounts().appendRecords({account(1, u"One"_s), PropList{}}));
    EXPECT_EQ(accounts().lastError(), StoreError::NoData);
    EXPECT_EQ(accounts().count(), 0);
}

TEST_F(RestoreStoreTest, DeleteAllEmptiesTheTableAndForgetsTheCurrentRecord)
{
    for (qint32 id = 1; id <= 5; ++id)
        m_book.addAccount(id, QStringLiteral("A%1").arg(id));
    ASSERT_TRUE(accounts().seekInt(SeekKind::Equal, 3));
    ASSERT_TRUE(accounts().deleteAll());
    EXPECT_EQ(accounts().count(), 0);
    EXPECT_EQ(accounts().position(), DbTable::NoRecord);
    EXPECT_FALSE(accounts().seekInt(SeekKind::NotLess, 0));
    // The table works on as before.
    m_book.addAccount(8, QStringLiteral("Eight"));
    EXPECT_EQ(idsInOrder(), std::vector<qint32>{8});
}

TEST_F(RestoreStoreTest, RollbackBringsEverythingBack)
{
    for (qint32 id = 1; id <= 3; ++id)
        m_book.addAccount(id, QStringLiteral("A%1").arg(id));
    ASSERT_TRUE(accounts().seekInt(SeekKind::Equal, 2));
    {
        StoreTransaction t(m_book.store());
        ASSERT_TRUE(accounts().deleteAll());
        ASSERT_TRUE(accounts().appendRecords({account(40, u"Forty"_s)}));
        EXPECT_EQ(idsInOrder(), std::vector<qint32>{40});
    }
    EXPECT_EQ(idsInOrder(), (std::vector<qint32>{1, 2, 3}));
    ASSERT_TRUE(accounts().seekInt(SeekKind::Equal, 3));
    EXPECT_EQ(accounts().getText(Prop::Name), QStringLiteral("A3"));
}

TEST_F(RestoreStoreTest, RefusedWritesChangeNothing)
{
    m_book.addAccount(1, QStringLiteral("One"));
    m_book.store().setWriteFault([] { return true; });
    EXPECT_FALSE(accounts().appendRecords({account(2, u"Two"_s)}));
    EXPECT_FALSE(accounts().deleteAll());
    m_book.store().setWriteFault({});
    EXPECT_EQ(idsInOrder(), std::vector<qint32>{1});
}

}  // namespace
