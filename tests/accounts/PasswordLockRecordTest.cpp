#include "accounts/PasswordLockRecord.h"

#include "accounts/PasswordLock.h"
#include "platform/FixedClock.h"
#include "store/KeyText.h"
#include "store/RecordLayout.h"
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

struct OlderFormCase {
    const char* name;
    PropValue digest;
    PropValue seconds;
};

class OlderFormTest : public PasswordLockRecordTest, public ::testing::WithParamInterface<OlderFormCase> {};

TEST_P(OlderFormTest, IsDiscardedWithAMessage)
{
    addRecord({PropValue::ofText(Prop::AccountKey, PasswordLockRecord::key()),
               PropValue::ofInt(Prop::AccountId, ReservedAccount::PasswordLock), GetParam().digest,
               GetParam().seconds});
    ASSERT_EQ(PasswordLockRecord::read(transactions()).form, PasswordLockRecord::Form::Older);

    FixedClock clock(LocalTime{2024, 1, 1});
    PasswordLock lock(clock);
    ScriptedInteraction ui;
    lock.load(transactions(), ui);
    EXPECT_EQ(ui.messages,
              QStringList{QStringLiteral("Set Password Again. \nMenu Edit/Currency and Password...")});
    EXPECT_EQ(lock.settings(), LockSettings());
    EXPECT_EQ(PasswordLockRecord::read(transactions()).form, PasswordLockRecord::Form::Missing);
}

INSTANTIATE_TEST_SUITE_P(
    Forms, OlderFormTest,
    ::testing::Values(OlderFormCase{"ThirtyTwoBitDigest", PropValue::ofInt(Prop::PasswordDigest, 1234),
                                    PropValue::ofInt(Prop::LockSeconds, 60)},
                      OlderFormCase{"TextDigest",
                                    PropValue::ofText(Prop::PasswordDigest, QStringLiteral("1234")),
                                    PropValue::ofInt(Prop::LockSeconds, 60)},
                      OlderFormCase{"SixtyFourBitSeconds", PropValue::ofInt64(Prop::PasswordDigest, 1234),
                                    PropValue::ofInt64(Prop::LockSeconds, 60)}),
    [](const ::testing::TestParamInfo<OlderFormCase>& param) { return std::string(param.param.name); });

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
