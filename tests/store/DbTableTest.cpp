#include "store/DbTable.h"

#include "store/RecordLayout.h"
#include "support/ScriptedInteraction.h"
#include "support/TempBook.h"

#include <gtest/gtest.h>

namespace {

class DbTableTest : public ::testing::Test {
protected:
    DbTable& categories() { return book.tables().categories(); }
    DbTable& transactions() { return book.tables().transactions(); }

    void addCategory(qint32 id, const QString& name)
    {
        DbTable& t = categories();
        t.beginNew();
        t.setText(Prop::Name, name);
        ASSERT_TRUE(t.setInt(Prop::CategoryId, id, true));
    }
    void addTransaction(const QString& key, qint32 account, const QString& description = {})
    {
        DbTable& t = transactions();
        t.beginNew();
        t.setInt(Prop::AccountId, account);
        t.setText(Prop::Name, description);
        ASSERT_TRUE(t.setText(Prop::AccountKey, key, true));
    }
    std::vector<qint32> categoryIds()
    {
        std::vector<qint32> ids;
        for (qint64 i = 0; i < categories().count(); ++i) {
            EXPECT_TRUE(categories().moveTo(i));
            ids.push_back(categories().getInt(Prop::CategoryId));
        }
        return ids;
    }

    TempBook book;
};

TEST_F(DbTableTest, OpeningAMissingTableSaysNotFoundAndOpenAllCreatesItOnce)
{
    DbTable stray(QStringLiteral("Tallyra Nothing"));
    stray.attach(&book.store());
    EXPECT_FALSE(stray.open());
    EXPECT_EQ(stray.lastError(), StoreError::NotFound);
    EXPECT_FALSE(stray.isOpen());

    const DbId id = book.store().findDatabase(QStringLiteral("Tallyra Transaction"));
    ASSERT_NE(id, 0u);
    TableSet again;
    again.attach(&book.store());
    EXPECT_TRUE(again.openAll());
    EXPECT_EQ(book.store().findDatabase(QStringLiteral("Tallyra Transaction")), id);
    const std::vector<SortSpec> sorts = {{101, PropType::Text}, {102, PropType::Text}, {103, PropType::Text}};
    EXPECT_EQ(book.store().sortSpecs(id), sorts);
}

TEST_F(DbTableTest, NewRecordReachesTheStoreOnlyAtItsCommit)
{
    DbTable& t = categories();
    t.beginNew();
    EXPECT_EQ(t.position(), DbTable::NewRecord);
    EXPECT_TRUE(t.setText(Prop::Name, QStringLiteral("Food")));
    EXPECT_EQ(t.count(), 0) << "nothing written before the commit";
    EXPECT_TRUE(t.setInt(Prop::CategoryId, 5, true));
    EXPECT_EQ(t.count(), 1);
    EXPECT_EQ(t.position(), 0);
    EXPECT_EQ(t.getText(Prop::Name), QStringLiteral("Food"));
    EXPECT_EQ(t.getInt(Prop::CategoryId), 5);
}

TEST_F(DbTableTest, FailedCommitLeavesNoCurrentRecordAndNothingWritten)
{
    book.store().setWriteFault([] { return true; });
    DbTable& t = categories();
    t.beginNew();
    t.setText(Prop::Name, QStringLiteral("Food"));
    EXPECT_FALSE(t.setInt(Prop::CategoryId, 5, true));
    book.store().setWriteFault({});
    EXPECT_EQ(t.position(), DbTable::NoRecord);
    EXPECT_EQ(t.count(), 0);
    EXPECT_EQ(t.getText(Prop::Name), QString());
}

TEST_F(DbTableTest, MissingPropertiesReadAsEmptyValues)
{
    addCategory(3, QStringLiteral("x"));
    DbTable& t = categories();
    EXPECT_EQ(t.getInt64(Prop::Amount), 0);
    EXPECT_EQ(t.getText(Prop::Note), QString());
    EXPECT_EQ(t.getInt(Prop::Parent), 0);
    EXPECT_EQ(t.getText(Prop::CategoryId), QString()) << "a property of another type reads as missing";
}

TEST_F(DbTableTest, WritingTheSortPropertyKeepsTheSameRecordCurrentAtItsNewPosition)
{
    addCategory(10, QStringLiteral("ten"));
    addCategory(20, QStringLiteral("twenty"));
    addCategory(30, QStringLiteral("thirty"));
    DbTable& t = categories();
    ASSERT_TRUE(t.moveTo(0));
    ASSERT_EQ(t.getText(Prop::Name), QStringLiteral("ten"));
    ASSERT_TRUE(t.setInt(Prop::CategoryId, 25));
    EXPECT_EQ(t.position(), 1);
    EXPECT_EQ(t.getText(Prop::Name), QStringLiteral("ten"));
    EXPECT_EQ(categoryIds(), (std::vector<qint32>{20, 25, 30}));
}

TEST_F(DbTableTest, EqualSortValuesAreFollowedByIdentityNotValue)
{
    // Future-list dates repeat; the cursor must stay on the record it wrote.
    DbTable& s = book.tables().scheduled();
    for (const char* name : {"a", "b", "c"}) {
        s.beginNew();
        s.setText(Prop::Name, QString::fromLatin1(name));
        ASSERT_TRUE(s.setInt64(Prop::Date, 1000, true));
    }
    ASSERT_TRUE(s.moveTo(2));
    ASSERT_EQ(s.getText(Prop::Name), QStringLiteral("c"));
    ASSERT_TRUE(s.setInt64(Prop::Date, 500));
    EXPECT_EQ(s.position(), 0);
    EXPECT_EQ(s.getText(Prop::Name), QStringLiteral("c"));
    ASSERT_TRUE(s.setInt64(Prop::Date, 1000));
    EXPECT_EQ(s.position(), 2) << "equal values keep insertion order";
    EXPECT_EQ(s.getText(Prop::Name), QStringLiteral("c"));
}

TEST_F(DbTableTest, SeveralValuesGoInOneWriteAndFollowTheSortOrder)
{
    addCategory(10, QStringLiteral("ten"));
    addCategory(20, QStringLiteral("twenty"));
    DbTable& t = categories();
    ASSERT_TRUE(t.moveTo(0));
    t.setInt(Prop::Parent, 1);
    int writes = 0;
    book.store().setWriteFault([&] {
        ++writes;
        return false;
    });
    ASSERT_TRUE(t.setValues({PropValue::ofText(Prop::Name, QStringLiteral("thirty")),
                             PropValue::ofInt(Prop::CategoryId, 30),
                             PropValue::removal(Prop::Parent, PropType::Int)}));
    book.store().setWriteFault({});
    EXPECT_EQ(writes, 1);
    EXPECT_EQ(t.position(), 1) << "the record moved to its new place";
    EXPECT_EQ(t.getText(Prop::Name), QStringLiteral("thirty"));
    EXPECT_FALSE(t.has(Prop::Parent));
    ASSERT_TRUE(t.moveTo(0));
    ASSERT_TRUE(t.moveTo(1));
    EXPECT_EQ(t.getInt(Prop::CategoryId), 30);
    EXPECT_FALSE(t.has(Prop::Parent)) << "the removal reached the store";
    t.beginNew();
    EXPECT_FALSE(t.setValues({PropValue::ofInt(Prop::CategoryId, 40)})) << "only an existing record";
}

TEST_F(DbTableTest, MoveToOutOfRangeFailsAndToTheCurrentPositionReadsNothing)
{
    addCategory(1, QStringLiteral("one"));
    DbTable& t = categories();
    EXPECT_FALSE(t.moveTo(t.count()));
    EXPECT_EQ(t.position(), DbTable::NoRecord);
    EXPECT_EQ(t.getText(Prop::Name), QString());

    ASSERT_TRUE(t.moveTo(0));
    DbTable other(t.name());
    other.attach(&book.store());
    ASSERT_TRUE(other.openByInteger(Prop::CategoryId));
    ASSERT_TRUE(other.moveTo(0));
    ASSERT_TRUE(other.setText(Prop::Name, QStringLiteral("renamed")));
    ASSERT_TRUE(t.moveTo(0));
    EXPECT_EQ(t.getText(Prop::Name), QStringLiteral("one")) << "no second read of the current position";
    ASSERT_TRUE(t.moveTo(-1) == false);
    ASSERT_TRUE(t.moveTo(0));
    EXPECT_EQ(t.getText(Prop::Name), QStringLiteral("renamed"));
}

TEST_F(DbTableTest, DeleteAtRemovesOneRecordAndLeavesNoCurrentRecord)
{
    for (qint32 id : {1, 2, 3})
        addCategory(id, QString::number(id));
    DbTable& t = categories();
    EXPECT_FALSE(t.deleteAt(3));
    ASSERT_TRUE(t.deleteAt(1));
    EXPECT_EQ(t.count(), 2);
    EXPECT_EQ(t.position(), DbTable::NoRecord);
    EXPECT_EQ(categoryIds(), (std::vector<qint32>{1, 3}));
}

TEST_F(DbTableTest, SeeksLandOnTheRightRecordOrLeaveNone)
{
    for (qint32 id : {2, 4, 6})
        addCategory(id, QString::number(id));
    DbTable& t = categories();
    ASSERT_TRUE(t.seekInt(SeekKind::NotLess, 3));
    EXPECT_EQ(t.getInt(Prop::CategoryId), 4);
    ASSERT_TRUE(t.seekInt(SeekKind::Smaller, 6));
    EXPECT_EQ(t.getInt(Prop::CategoryId), 4);
    EXPECT_FALSE(t.seekInt(SeekKind::Equal, 5));
    EXPECT_EQ(t.position(), DbTable::NoRecord);
    EXPECT_FALSE(t.seekText(SeekKind::Equal, QStringLiteral("4"))) << "a text seek in an integer sort";
}

TEST_F(DbTableTest, AnAccountsKeysFormOneRunBetweenItsStartAndEndKeys)
{
    addTransaction(QStringLiteral("1_20030101000000000"), 1);
    addTransaction(QStringLiteral("12_20020101000000000"), 12);
    addTransaction(QStringLiteral("1_20020101000000000"), 1);
    addTransaction(QStringLiteral("10_20040101000000000"), 10);
    addTransaction(QStringLiteral("2_20010101000000000"), 2);
    DbTable& t = transactions();
    ASSERT_TRUE(t.seekText(SeekKind::NotLess, QStringLiteral("1_")));
    const qint64 first = t.position();
    ASSERT_TRUE(t.seekText(SeekKind::Smaller, QStringLiteral("1_z")));
    const qint64 last = t.position();
    EXPECT_EQ(last - first, 1);
    for (qint64 p = first; p <= last; ++p) {
        ASSERT_TRUE(t.moveTo(p));
        EXPECT_EQ(t.getInt(Prop::AccountId), 1);
    }
    ASSERT_TRUE(t.moveTo(0));
    EXPECT_EQ(t.getText(Prop::AccountKey), QStringLiteral("10_20040101000000000"));
}

TEST_F(DbTableTest, SaveAndRestoreSortReturnToTheSavedOrder)
{
    DbTable& t = transactions();
    t.saveSort();
    ASSERT_TRUE(t.resortByText(Prop::PlannerKey));
    EXPECT_EQ(t.sortId(), Prop::PlannerKey);
    ASSERT_TRUE(t.restoreSort());
    EXPECT_EQ(t.sortId(), Prop::AccountKey);
    EXPECT_EQ(t.sortKind(), DbTable::SortKind::Text);
    EXPECT_FALSE(t.resortByText(Prop::Note)) << "not one of the table's sort orders";
}

class DbTableScanTest : public DbTableTest {
protected:
    void SetUp() override
    {
        addTransaction(QStringLiteral("1_1"), 1, QStringLiteral("Rent"));
        addTransaction(QStringLiteral("1_2"), 1, QStringLiteral("groceries"));
        addTransaction(QStringLiteral("1_3"), ReservedAccount::Holder, QStringLiteral("Grocer hidden"));
        addTransaction(QStringLiteral("1_4"), 1, QStringLiteral("Salary"));
    }
};

TEST_F(DbTableScanTest, FindsAPrefixIgnoringCaseAndWrapsAround)
{
    DbTable& t = transactions();
    ASSERT_TRUE(t.scanText(3, Prop::Name, QStringLiteral("GROC")));
    EXPECT_EQ(t.position(), 1);
    ASSERT_TRUE(t.scanText(2, Prop::Name, QStringLiteral("gro"), {false, {}, {}}));
    EXPECT_EQ(t.position(), 1) << "backward from 2, skipping the reserved record";
}

TEST_F(DbTableScanTest, ReservedAccountsAreComparedOnlyWhenStartingAtRecordZero)
{
    DbTable& t = transactions();
    ASSERT_TRUE(t.scanText(2, Prop::Name, QStringLiteral("Grocer h")) == false);
    ASSERT_TRUE(t.scanText(0, Prop::Name, QStringLiteral("Grocer h")));
    EXPECT_EQ(t.position(), 2);
}

TEST_F(DbTableScanTest, NothingFoundAfterVisitingEveryRecordOnce)
{
    DbTable& t = transactions();
    int asked = 0;
    DbTable::ScanOptions options;
    options.stopRequested = [&] {
        ++asked;
        return false;
    };
    EXPECT_FALSE(t.scanText(-1, Prop::Name, QStringLiteral("zzz"), options));
    EXPECT_EQ(asked, 4);
    EXPECT_EQ(t.position(), DbTable::NoRecord);
}

TEST_F(DbTableScanTest, StopRequestEndsTheScanAtOnce)
{
    DbTable::ScanOptions options;
    options.stopRequested = [] { return true; };
    EXPECT_FALSE(transactions().scanText(0, Prop::Name, QStringLiteral("Rent"), options));
}

TEST_F(DbTableTest, BusyIconTurnsOneFrameEveryFortyRecords)
{
    for (int i = 0; i < 200; ++i)
        addTransaction(QStringLiteral("1_%1").arg(i, 4, 10, QLatin1Char('0')), 1, QStringLiteral("x"));
    std::vector<int> forward, backward;
    DbTable::ScanOptions options;
    options.busyFrame = [&](int frame) { forward.push_back(frame); };
    EXPECT_FALSE(transactions().scanText(0, Prop::Name, QStringLiteral("y"), options));
    EXPECT_EQ(forward, (std::vector<int>{3, 2, 1, 0}));
    options.forward = false;
    options.busyFrame = [&](int frame) { backward.push_back(frame); };
    EXPECT_FALSE(transactions().scanText(0, Prop::Name, QStringLiteral("y"), options));
    EXPECT_EQ(backward, (std::vector<int>{1, 2, 3, 0}));
}

TEST_F(DbTableTest, NextIdStartsAtOneAndNeverRepeatsWithinARun)
{
    DbTable& t = categories();
    EXPECT_EQ(t.nextId(Prop::CategoryId), 1);
    addCategory(7, QStringLiteral("seven"));
    EXPECT_EQ(t.nextId(Prop::CategoryId), 2) << "the kept value counts on";
    t.forgetAllocatedId();
    EXPECT_EQ(t.nextId(Prop::CategoryId), 8);
    ASSERT_TRUE(t.deleteAt(0));
    EXPECT_EQ(t.nextId(Prop::CategoryId), 9);
    EXPECT_EQ(t.sortId(), Prop::CategoryId);
}

TEST_F(DbTableTest, PlannerIdsAreNeverOnesThatPostedTransactionsCarry)
{
    // Planner keys sort as text, "9_" after "10_": the largest must be numeric.
    for (auto [key, planner] : {std::pair{"10_20030101000000000", 10}, std::pair{"9_20030101000000000", 9},
                                std::pair{"2_20030101000000000", 2}}) {
        DbTable& t = transactions();
        t.beginNew();
        t.setInt(Prop::PlannerId, planner);
        t.setText(Prop::PlannerKey, QString::fromLatin1(key));
        ASSERT_TRUE(t.setText(Prop::AccountKey, QStringLiteral("1_%1").arg(planner), true));
    }
    EXPECT_EQ(book.tables().nextPlannerId(), 11);
    EXPECT_EQ(book.tables().nextPlannerId(), 12);
    EXPECT_EQ(transactions().sortId(), Prop::AccountKey);
}

TEST_F(DbTableTest, ReindexTellsEachTableInOrderAndKeepsTheRecords)
{
    addTransaction(QStringLiteral("2_1"), 2);
    addTransaction(QStringLiteral("1_1"), 1);
    ScriptedInteraction progress;
    book.tables().reindexAll(&progress);
    EXPECT_EQ(progress.progressLabels, (QStringList{QStringLiteral("Reindexing database Transactions"),
                                                    QStringLiteral("Reindexing database Accounts"),
                                                    QStringLiteral("Reindexing database Projects"),
                                                    QStringLiteral("Reindexing database Categories"),
                                                    QStringLiteral("Reindexing database Future"),
                                                    QStringLiteral("Reindexing database Future List"),
                                                    QStringLiteral("Reindexing database Currencies")}));
    ASSERT_TRUE(book.tables().setWorkingSorts());
    ASSERT_TRUE(transactions().moveTo(0));
    EXPECT_EQ(transactions().getText(Prop::AccountKey), QStringLiteral("1_1"));
}

TEST_F(DbTableTest, AnotherProgramsWritesAppearAfterRefresh)
{
    auto other = book.openSecondConnection();
    TableSet theirs;
    theirs.attach(other.get());
    ASSERT_TRUE(theirs.openAll());
    ASSERT_TRUE(theirs.setWorkingSorts());
    EXPECT_EQ(theirs.categories().count(), 0);
    addCategory(1, QStringLiteral("mine"));
    EXPECT_TRUE(theirs.categories().refresh());
    ASSERT_EQ(theirs.categories().count(), 1);
    ASSERT_TRUE(theirs.categories().moveTo(0));
    EXPECT_EQ(theirs.categories().getText(Prop::Name), QStringLiteral("mine"));
}

}  // namespace
