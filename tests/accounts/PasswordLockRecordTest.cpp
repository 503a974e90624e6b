#include "accounts/PasswordLockRecord.h"

#include "accounts/PasswordLock.h"
#include "platform/FixedClock.h"
#include "store/KeyText.h"
#include "store/RecordLayout.h"
#include "store/SortScope.h"
#include "support/ScriptedInteraction.h"
#include "support/TempBook.h"

#include <gtest/gtest.h>

namespace {

class PasswordLockRecordTest : public ::testing::Test {
protected:
    DbTable& transactions() { return book.tables().transactions(); }

    // A transaction-table record with the given properties, committed at once.
    void addRecord(const PropList& props)
    {
        DbTable& t = transactions();
        t.beginNew();
        for (size_t i = 0; i < props.size(); ++i)
            ASSERT_TRUE(t.setValue(props[i], i + 1 == props.size()));
    }

    qint64 recordsOfLockAccount()
    {
        qint64 n = 0;
        DbTable& t = transactions();
        for (qint64 i = 0; i < t.count(); ++i) {
            t.moveTo(i);
            if (t.getInt(Prop::AccountId) == ReservedAccount::PasswordLock)
                ++n;
        }
        t.moveTo(DbTable::NoRecord);
        return n;
    }

    TempBook book;
};

TEST_F(PasswordLockRecordTest, MissingRecordMeansNoPassword)
{
    const auto loaded = PasswordLockRecord::read(transactions());
    EXPECT_EQ(loaded.form, PasswordLockRecord::Form::Missing);
    EXPECT_EQ(loaded.settings, LockSettings());
}

TEST_F(PasswordLockRecordTest, WrittenSettingsReadBack)
{
    ASSERT_TRUE(PasswordLockRecord::write(transactions(), {123456789012LL, 300}));
    const auto loaded = PasswordLockRecord::read(transactions());
    EXPECT_EQ(loaded.form, PasswordLockRecord::Form::Current);
    EXPECT_EQ(loaded.settings, (LockSettings{123456789012LL, 300}));
}

TEST_F(PasswordLockRecordTest, RewritingKeepsOneRecordUnderTheReservedAccount)
{
    ASSERT_TRUE(PasswordLockRecord::write(transactions(), {5, 60}));
    ASSERT_TRUE(PasswordLockRecord::write(transactions(), {7, 0}));
    ASSERT_TRUE(PasswordLockRecord::write(transactions(), {0, 0}));
    EXPECT_EQ(recordsOfLockAccount(), 1);
    EXPECT_EQ(PasswordLockRecord::read(transactions()).settings, LockSettings());

    DbTable& t = transactions();
    ASSERT_TRUE(t.seekText(SeekKind::Equal, PasswordLockRecord::key()));
    EXPECT_EQ(t.getInt(Prop::AccountId), ReservedAccount::PasswordLock);
    EXPECT_EQ(PasswordLockRecord::key(), QStringLiteral("2000000001_16010101000000000"));
}

TEST_F(PasswordLockRecordTest, NeighbouringAccountsAreNotTakenForTheRecord)
{
    // Keys of the holder account sort just before, those of a higher id just after.
    addRecord({PropValue::ofText(Prop::AccountKey, fullKey(ReservedAccount::Holder, minFileTime())),
               PropValue::ofInt(Prop::AccountId, ReservedAccount::Holder),
               PropValue::ofInt64(Prop::PasswordDigest, 99)});
    addRecord({PropValue::ofText(Prop::AccountKey, fullKey(2000000002, minFileTime())),
               PropValue::ofInt(Prop::AccountId, 2000000002), PropValue::ofInt64(Prop::PasswordDigest, 98)});
    EXPECT_EQ(PasswordLockRecord::read(transactions()).form, PasswordLockRecord::Form::Missing);
}

TEST_F(PasswordLockRecordTest, ReadingPutsBackTheCursorsSort)
{
    DbTable& t = transactions();
    ASSERT_TRUE(t.resortByText(Prop::PlannerKey));
    ASSERT_TRUE(PasswordLockRecord::write(t, {5, 60}));
    EXPECT_EQ(PasswordLockRecord::read(t).settings, (LockSettings{5, 60}));
    EXPECT_EQ(t.sortId(), Prop::PlannerKey);
    EXPECT_EQ(t.position(), DbTable::NoRecord);
}

TEST_F(PasswordLockRecordTest, NegativeIdleTimeReadsAsNone)
{
    addRecord({PropValue::ofText(Prop::AccountKey, PasswordLockRecord::key()),
               PropValue::ofInt(Prop::AccountId, ReservedAccount::PasswordLock),
               PropValue::ofInt64(Prop::PasswordDigest, 42), PropValue::ofInt(Prop::LockSeconds, -15)});
    EXPECT_EQ(PasswordLockRecord::read(transactions()).settings, (LockSettings{42, 0}));
}

// The older form is told by its balance (property 113), not by the types of
// the settings: 113 and 401 are cleared with a message, the settings kept.
TEST_F(PasswordLockRecordTest, OlderFormIsClearedWithAMessageAndKeepsItsSettings)
{
    const struct {
        const char* name;
        PropList extra;
        bool older;
    } cases[] = {
        {"balance and category",
         {PropValue::ofInt64(Prop::Balance, 0), PropValue::ofInt(Prop::CategoryId, 3)},
         true},
        {"balance alone", {PropValue::ofInt64(Prop::Balance, 500)}, true},
        {"neither", {}, false},
    };
    for (const auto& c : cases) {
        TempBook fresh;
        DbTable& t = fresh.tables().transactions();
        PropList props{PropValue::ofText(Prop::AccountKey, PasswordLockRecord::key()),
                       PropValue::ofInt(Prop::AccountId, ReservedAccount::PasswordLock)};
        props.insert(props.end(), c.extra.begin(), c.extra.end());
        props.push_back(PropValue::ofInt64(Prop::PasswordDigest, 1234));
        props.push_back(PropValue::ofInt(Prop::LockSeconds, 60));
        t.beginNew();
        for (size_t i = 0; i < props.size(); ++i)
            ASSERT_TRUE(t.setValue(props[i], i + 1 == props.size()));
        ASSERT_EQ(PasswordLockRecord::read(t).form,
                  c.older ? PasswordLockRecord::Form::Older : PasswordLockRecord::Form::Current)
            << c.name;

        FixedClock clock(LocalTime{2024, 1, 1});
        PasswordLock lock(clock);
        ScriptedInteraction ui;
        lock.load(t, ui);
        EXPECT_EQ(ui.messages, c.older ? QStringList{QStringLiteral(
                                             "Set Password Again. \nMenu Edit/Currency and Password...")}
                                       : QStringList())
            << c.name;
        EXPECT_EQ(lock.settings(), (LockSettings{1234, 60})) << c.name;
        const PasswordLockRecord::Loaded again = PasswordLockRecord::read(t);
        EXPECT_EQ(again.form, PasswordLockRecord::Form::Current) << c.name;
        EXPECT_EQ(again.settings, (LockSettings{1234, 60})) << c.name;
        SortScope scope(t, Prop::AccountKey, DbTable::SortKind::Text);
        ASSERT_TRUE(t.seekText(SeekKind::Equal, PasswordLockRecord::key())) << c.name;
        EXPECT_FALSE(t.has(Prop::Balance)) << c.name;
        EXPECT_FALSE(t.has(Prop::CategoryId)) << c.name;
    }
}

TEST_F(PasswordLockRecordTest, CurrentFormLoadsWithoutAMessage)
{
    ASSERT_TRUE(PasswordLockRecord::write(transactions(), {77, 120}));
    FixedClock clock(LocalTime{2024, 1, 1});
    PasswordLock lock(clock);
    ScriptedInteraction ui;
    lock.load(transactions(), ui);
    EXPECT_TRUE(ui.messages.isEmpty());
    EXPECT_EQ(lock.settings(), (LockSettings{77, 120}));
}

}  // namespace
