#include "store/UniqueKey.h"

#include "store/KeyText.h"
#include "store/RecordLayout.h"
#include "support/TempBook.h"

#include <gtest/gtest.h>

namespace {

FileTime at(int y, int mo, int d, int h = 0, int mi = 0, int s = 0, int ms = 0)
{
    return *fileTimeFromLocal(LocalTime{y, mo, d, h, mi, s, ms});
}

class UniqueKeyTest : public ::testing::Test {
protected:
    DbTable& transactions() { return book.tables().transactions(); }

    NewTransactionKey post(qint32 account, FileTime date)
    {
        const auto made = uniqueAccountKey(transactions(), account, date, m_now);
        EXPECT_TRUE(made);
        DbTable& t = transactions();
        t.beginNew();
        t.setText(Prop::AccountKey, made->key);
        t.setInt(Prop::AccountId, account);
        EXPECT_TRUE(t.setInt64(Prop::Date, made->date, true));
        return *made;
    }

    TempBook book;
    FileTime m_now = at(2026, 12, 7, 14, 30, 5, 250);
};

TEST_F(UniqueKeyTest, TodayTakesTheCurrentTimeAndOneMillisecondMore)
{
    const NewTransactionKey k = post(3, at(2026, 12, 7));
    EXPECT_EQ(k.key, QStringLiteral("3_20261207143005251"));
    EXPECT_EQ(k.date, at(2026, 12, 7, 14, 30, 5, 251));
}

TEST_F(UniqueKeyTest, APastDayIsPlacedAfterTheTransactionsAlreadyOnIt)
{
    const NewTransactionKey first = post(3, at(2003, 12, 5, 9));
    const NewTransactionKey second = post(3, at(2003, 12, 5));
    EXPECT_EQ(first.key, QStringLiteral("3_20031205090000001"));
    EXPECT_EQ(second.key, QStringLiteral("3_20031205090000002"));
    const NewTransactionKey otherDay = post(3, at(2003, 12, 6, 8));
    EXPECT_EQ(otherDay.key, QStringLiteral("3_20031206080000001"));
    EXPECT_EQ(post(3, at(2003, 12, 5, 23)).key, QStringLiteral("3_20031205090000003"))
        << "the day's last transaction, not the next day's, sets the time";
}

TEST_F(UniqueKeyTest, AnotherAccountsKeysDoNotCount)
{
    // Account 31's keys sort right after account 3's day-end key.
    post(31, at(2003, 12, 5, 10));
    post(1, at(2003, 12, 5, 11));
    EXPECT_EQ(post(3, at(2003, 12, 5, 9)).key, QStringLiteral("3_20031205090000001"));
}

TEST_F(UniqueKeyTest, ManyOnOneDayGetDistinctKeys)
{
    QStringList keys;
    for (int i = 0; i < 50; ++i)
        keys << post(4, at(2020, 2, 29, 12)).key;
    keys.removeDuplicates();
    EXPECT_EQ(keys.size(), 50);
    for (int i = 0; i < 50; ++i)
        keys << post(4, at(2026, 12, 7)).key;  // the pinned clock: each takes the next millisecond
    keys.removeDuplicates();
    EXPECT_EQ(keys.size(), 100);
}

TEST_F(UniqueKeyTest, NoKeyForAccountsBelowOneOrPastTheCalendarsEnd)
{
    EXPECT_FALSE(uniqueAccountKey(transactions(), 0, m_now, m_now));
    EXPECT_FALSE(uniqueAccountKey(transactions(), -4, m_now, m_now));
    post(5, maxFileTime() - 10000);
    // The calendar's last millisecond is taken: the day's fallback, never past it.
    const auto last = uniqueAccountKey(transactions(), 5, maxFileTime(), m_now);
    ASSERT_TRUE(last);
    EXPECT_EQ(last->date, startOfDay(maxFileTime()) + TicksPerSecond);
    EXPECT_EQ(transactions().sortId(), Prop::AccountKey);
}

TEST_F(UniqueKeyTest, AKeyNeverMovesToTheNextDay)
{
    const struct {
        FileTime neighbour;  // already in the account; 0: none
        FileTime date;
        FileTime now;
        const char* key;
    } cases[] = {
        // today at the day's last millisecond
        {0, at(2026, 12, 7), at(2026, 12, 7, 23, 59, 59, 999), "6_20261207000001000"},
        // after a neighbour at the day's last millisecond, on a past day
        {at(2003, 12, 5, 23, 59, 59, 999), at(2003, 12, 5, 10), at(2026, 12, 7, 14), "6_20031205000001000"},
        // a neighbour at .998 still leaves .999
        {at(2003, 12, 5, 23, 59, 59, 998), at(2003, 12, 5, 10), at(2026, 12, 7, 14), "6_20031205235959999"},
    };
    for (const auto& c : cases) {
        TempBook fresh;
        DbTable& t = fresh.tables().transactions();
        if (c.neighbour != 0) {
            t.beginNew();
            t.setText(Prop::AccountKey, fullKey(6, c.neighbour));
            t.setInt(Prop::AccountId, 6);
            ASSERT_TRUE(t.setInt64(Prop::Date, c.neighbour, true));
        }
        const auto made = uniqueAccountKey(t, 6, c.date, c.now);
        ASSERT_TRUE(made) << c.key;
        EXPECT_EQ(made->key, QString::fromLatin1(c.key));
        EXPECT_TRUE(isSameDay(made->date, c.date)) << c.key;
    }
    // A second one at the fallback's place takes the next millisecond.
    TempBook full;
    DbTable& t = full.tables().transactions();
    for (const FileTime taken : {at(2003, 12, 5, 23, 59, 59, 999), at(2003, 12, 5, 0, 0, 1)}) {
        t.beginNew();
        t.setText(Prop::AccountKey, fullKey(6, taken));
        t.setInt(Prop::AccountId, 6);
        ASSERT_TRUE(t.setInt64(Prop::Date, taken, true));
    }
    EXPECT_EQ(uniqueAccountKey(t, 6, at(2003, 12, 5), at(2026, 12, 7))->key,
              QStringLiteral("6_20031205000001001"));
}

}  // namespace
