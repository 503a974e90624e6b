#include "interchange/BackupReader.h"

#include "BackupTestBook.h"
#include "interchange/RestoreScan.h"

namespace {

using Kind = BackupReader::ItemKind;

std::vector<Kind> kindsOf(const QByteArray& bytes)
{
    std::vector<Kind> kinds;
    BackupReader reader(bytes);
    for (int guard = 0; guard < 1000; ++guard) {
        kinds.push_back(reader.next().kind);
        if (kinds.back() == Kind::End || kinds.back() == Kind::Error)
            break;
    }
    return kinds;
}

BackupBytes sample()
{
    BackupBytes b;
    b.header(at(2024, 3, 1))
        .section(QStringLiteral("Tallyra Account"))
        .record()
        .text(110, QStringLiteral("Cash"))
        .integer(104, -7)
        .date(151, -2)
        .amount(113, 1234567890123LL)
        .textSetting(QStringLiteral("Options"), QStringLiteral("Default Currency"), QStringLiteral("USD"))
        .intSetting(QStringLiteral("Options"), QStringLiteral("Export MS Money Date"), -1)
        .u8(5)
        .u8(0xFF)
        .u8(0xFF)
        .u8(0xFF)
        .end();
    return b;
}

TEST(BackupReader, HeaderNeedsTheSignatureAndTheFirstVersionByteOnly)
{
    BackupBytes good;
    good.header(at(2002, 2, 19, 8));
    EXPECT_EQ(BackupReader::headerTime(good.bytes()), at(2002, 2, 19, 8));
    BackupBytes otherMinor;
    otherMinor.u8(1).u8(1).u8(9).u8(9).u8(9).u64(5);
    EXPECT_EQ(BackupReader::headerTime(otherMinor.bytes()), 5);

    BackupBytes signature;
    signature.u8(2).u8(1).u8(3).u8(0).u8(0).u64(5);
    BackupBytes version;
    version.u8(1).u8(0).u8(3).u8(0).u8(0).u64(5);
    EXPECT_FALSE(BackupReader::headerTime(signature.bytes()));
    EXPECT_FALSE(BackupReader::headerTime(version.bytes()));
    EXPECT_FALSE(BackupReader::headerTime(good.bytes().left(12)));
    EXPECT_EQ(kindsOf(signature.bytes()), std::vector<Kind>{Kind::Error});
}

TEST(BackupReader, ReadsEveryItemWithItsValue)
{
    // The reader views the bytes: they must outlive it.
    const BackupBytes bytes = sample();
    BackupReader reader(bytes.bytes());
    BackupReader::Item item = reader.next();
    EXPECT_EQ(item.kind, Kind::Section);
    EXPECT_EQ(item.name, QStringLiteral("Tallyra Account"));
    EXPECT_EQ(reader.next().kind, Kind::Record);
    EXPECT_EQ(reader.next().property, PropValue::ofText(110, QStringLiteral("Cash")));
    EXPECT_EQ(reader.next().property, PropValue::ofInt(104, -7));
    EXPECT_EQ(reader.next().property, PropValue::ofInt64(151, -2));
    EXPECT_EQ(reader.next().property, PropValue::ofInt64(113, 1234567890123LL));
    item = reader.next();
    EXPECT_EQ(item.kind, Kind::TextSetting);
    EXPECT_EQ(item.section + item.key + item.text, QStringLiteral("OptionsDefault CurrencyUSD"));
    item = reader.next();
    EXPECT_EQ(item.kind, Kind::IntSetting);
    EXPECT_EQ(item.number, -1);
    EXPECT_EQ(reader.next().kind, Kind::Skipped);
    EXPECT_EQ(reader.next().kind, Kind::End);
    EXPECT_EQ(reader.next().kind, Kind::End);
    EXPECT_EQ(reader.offset(), sample().bytes().size());
}

TEST(BackupReader, EveryCutShortFileIsDamaged)
{
    const QByteArray whole = sample().bytes();
    EXPECT_TRUE(RestoreScan::of(whole).complete);
    for (qsizetype n = 0; n < whole.size(); ++n) {
        EXPECT_EQ(kindsOf(whole.left(n)).back(), Kind::Error) << n;
        EXPECT_FALSE(RestoreScan::of(whole.left(n)).complete) << n;
    }
}

TEST(BackupReader, LengthsBeyondTheDataEndTheStreamWithoutReadingOn)
{
    BackupBytes hugeText;
    hugeText.header(0).u8(17).u16(110).u16(0xFFFF).units(QStringLiteral("ab"));
    BackupBytes hugeName;
    hugeName.header(0).u8(4).u8(0xFF).units(QStringLiteral("x"));
    BackupBytes hugeSetting;
    hugeSetting.header(0).u8(21).u16(7).units(QStringLiteral("Options")).u16(0xFFFF);
    BackupBytes shortValue;
    shortValue.header(0).u8(18).u16(108).u32(1);
    BackupBytes shortSkip;
    shortSkip.header(0).u8(5).u8(0);
    for (const BackupBytes* b : {&hugeText, &hugeName, &hugeSetting, &shortValue, &shortSkip}) {
        BackupReader reader(b->bytes());
        EXPECT_EQ(reader.next().kind, Kind::Error);
        EXPECT_EQ(reader.next().kind, Kind::Error);
        EXPECT_LE(reader.offset(), b->bytes().size());
    }
}

TEST(BackupReader, UnknownTagsAreDamage)
{
    for (int tag : {0, 1, 3, 6, 12, 14, 16, 23, 254}) {
        BackupBytes b;
        b.header(0).u8(static_cast<quint8>(tag)).end();
        EXPECT_EQ(kindsOf(b.bytes()), std::vector<Kind>{Kind::Error}) << tag;
    }
}

TEST(BackupReader, ScanCountsOnlyRecordsOfSavedTables)
{
    BackupBytes b;
    b.header(0)
        .section(QStringLiteral("Tallyra Category"))
        .record()
        .record()
        .section(QStringLiteral("Tallyra Scheduled"))
        .record()
        .section(QStringLiteral("tallyra category"))
        .record()  // names match exactly
        .end();
    const RestoreScan scan = RestoreScan::of(b.bytes());
    EXPECT_TRUE(scan.complete);
    EXPECT_EQ(scan.records, 2);
}

}  // namespace
