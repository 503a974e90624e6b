#include "store/KeyText.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <limits>
#include <map>
#include <vector>

namespace {

FileTime at(int y, int mo, int d, int h = 0, int mi = 0, int s = 0, int ms = 0)
{
    return fileTimeFromLocal(LocalTime{y, mo, d, h, mi, s, ms}).value_or(-1);
}

struct KeyCase {
    qint32 id;
    FileTime time;
    const char* expected;
};

TEST(KeyText, FullKeyWritesIdAndSeventeenDigits)
{
    const KeyCase cases[] = {
        {7, at(2003, 12, 5, 14, 30, 5, 123), "7_20031205143005123"},
        {1, at(1601, 1, 1), "1_16010101000000000"},
        {2000000000, at(9999, 12, 31, 23, 59, 59, 999), "2000000000_99991231235959999"},
        {0, at(2003, 1, 2, 3, 4, 5, 6), "0_20030102030405006"},
        {-1, at(2003, 1, 2), "-1_20030102000000000"},
        {std::numeric_limits<qint32>::min(), at(2003, 1, 2), "-2147483648_20030102000000000"},
        {std::numeric_limits<qint32>::max(), at(2003, 1, 2), "2147483647_20030102000000000"},
        // The second side of a transfer is one tick later; the key does not show it.
        {7, at(2003, 12, 5, 14, 30, 5, 123) + 1, "7_20031205143005123"},
    };
    for (const KeyCase& c : cases)
        EXPECT_EQ(fullKey(c.id, c.time), QString::fromUtf8(c.expected));
}

TEST(KeyText, RangeKeys)
{
    const FileTime t = at(2003, 12, 5, 14, 30);
    EXPECT_EQ(idStartKey(12), QStringLiteral("12_"));
    EXPECT_EQ(idEndKey(12), QStringLiteral("12_z"));
    EXPECT_EQ(dayStartKey(12, t), QStringLiteral("12_20031205"));
    EXPECT_EQ(dayEndKey(12, t), QStringLiteral("12_20031205z"));
    EXPECT_EQ(idStartKey(-3), QStringLiteral("-3_"));
}

TEST(KeyText, ParsesWhatItWrites)
{
    const ParsedKey cases[] = {
        {7, at(2003, 12, 5, 14, 30, 5, 123)},
        {1, at(1601, 1, 1)},
        {2000000001, at(9999, 12, 31, 23, 59, 59, 999)},
        {0, at(2004, 2, 29, 12)},
        {-5, at(2004, 2, 29, 12)},
        {std::numeric_limits<qint32>::min(), at(2003, 1, 2)},
        {std::numeric_limits<qint32>::max(), at(2003, 1, 2)},
    };
    for (const ParsedKey& c : cases) {
        const QString key = fullKey(c.id, c.time);
        EXPECT_EQ(parseFullKey(key), c) << key.toStdString();
    }
}

TEST(KeyText, RefusesTextThatIsNotAFullKey)
{
    const char* refused[] = {
        "",
        "_",
        "7",
        "7_",
        "_20031205143005123",
        "7_2003120514300512",    // 16 digits
        "7_200312051430051234",  // 18 digits
        "7_2003120514300512x",
        "x_20031205143005123",
        "7a_20031205143005123",
        "07_20031205143005123",  // never written with a leading zero
        "+7_20031205143005123",
        "-0_20031205143005123",
        "-_20031205143005123",
        "2147483648_20031205143005123",
        "-2147483649_20031205143005123",
        "99999999999_20031205143005123",
        "7__20031205143005123",
        " 7_20031205143005123",
        "7_20031205143005123 ",
        "7_20030229000000000",  // no such day
        "7_20031205240000000",
        "7_20031205236000000",
        "7_20031205235960000",
        "7_20031300000000000",
        "7_20031200000000000",
        "7_16001231235959999",  // before the first supported year
        "7_20031205",           // a day key is not a full key
        "7_20031205z",
        "7_z",
    };
    for (const char* text : refused)
        EXPECT_FALSE(parseFullKey(QString::fromUtf8(text)).has_value()) << text;
}

// Accounts whose ids share leading digits must still get one run each.
TEST(KeyText, EveryIdsKeysFormOneRunInDateOrder)
{
    const qint32 ids[] = {1, 2, 10, 11, 12, 100, 21, 9, 19};
    const FileTime times[] = {
        at(1601, 1, 1),      at(1999, 12, 31, 23, 59, 59, 999), at(2000, 1, 1),
        at(2003, 12, 5, 14), at(2003, 12, 5, 14, 0, 0, 1),      at(9999, 12, 31, 23, 59, 59, 999)};
    std::vector<QString> keys;
    std::map<QString, qint32> owner;
    for (const qint32 id : ids) {
        for (const FileTime t : times) {
            keys.push_back(fullKey(id, t));
            owner[keys.back()] = id;
        }
    }
    std::sort(keys.begin(), keys.end());

    for (const qint32 id : ids) {
        const auto first = std::lower_bound(keys.begin(), keys.end(), idStartKey(id));
        const auto end = std::lower_bound(keys.begin(), keys.end(), idEndKey(id));
        ASSERT_EQ(end - first, static_cast<std::ptrdiff_t>(std::size(times))) << id;
        for (auto k = first; k != end; ++k) {
            EXPECT_EQ(owner[*k], id) << k->toStdString();
            EXPECT_EQ(parseFullKey(*k)->time, times[k - first]) << k->toStdString();
        }
    }
}

TEST(KeyText, DayKeysBracketExactlyThatDay)
{
    const FileTime day = at(2003, 12, 5, 9);
    const QString start = dayStartKey(12, day);
    const QString end = dayEndKey(12, day);
    const FileTime inside[] = {at(2003, 12, 5), at(2003, 12, 5, 23, 59, 59, 999)};
    const FileTime before[] = {at(2003, 12, 4, 23, 59, 59, 999), at(2002, 12, 31)};
    const FileTime after[] = {at(2003, 12, 6), at(2004, 1, 1)};
    for (const FileTime t : inside) {
        EXPECT_LE(start, fullKey(12, t));
        EXPECT_LT(fullKey(12, t), end);
    }
    for (const FileTime t : before)
        EXPECT_LT(fullKey(12, t), start);
    for (const FileTime t : after)
        EXPECT_GT(fullKey(12, t), end);
    // Keys of account 1 stay outside account 12's day range, on any day.
    EXPECT_FALSE(start <= fullKey(1, day) && fullKey(1, day) < end);
}

}  // namespace
