#include "shell/TallyraSettings.h"

#include "platform/BookFolder.h"
#include "platform/SettingsFile.h"
#include "reference/BuiltInCurrencies.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

using Int = TallyraSettings::Int;
using Text = TallyraSettings::Text;

struct IntCase {
    Int id;
    const char* section;
    const char* key;
    qint32 fallback;
};

// The settings as they stand in the file, spelled out independently of the
// table in TallyraSettings.cpp.
const IntCase IntCases[] = {
    {Int::VersionMajor, "Options", "Version Major", 0},
    {Int::VersionMinor, "Options", "Version Minor", 0},
    {Int::FutureListDateLow, "Options", "Future List Date Low", 0},
    {Int::FutureListDateHigh, "Options", "Future List Date High", 0},
    {Int::Panel0Width, "Options", "Panel0cx", 80},
    {Int::Panel1Width, "Options", "Panel1cx", 281},
    {Int::Panel2Width, "Options", "Panel2cx", 220},
    {Int::ExportFullYearDates, "Options", "Export MS Money Date", 0},
    {Int::AccountId, "accountpage", "accountid", 0},
    {Int::ShowProperties, "accountpage", "showprop", 1},
    {Int::ListSpDate, "accountpage", "listspdate", 73},
    {Int::ListSpDesc, "accountpage", "listspdesc", 163},
    {Int::ListSpAmount, "accountpage", "listspamount", 90},
    {Int::ListNspDate, "accountpage", "listnspdate", 90},
    {Int::ListNspNo, "accountpage", "listnspno", 40},
    {Int::ListNspDesc, "accountpage", "listnspdesc", 205},
    {Int::ListNspDep, "accountpage", "listnspdep", 80},
    {Int::ListNspPay, "accountpage", "listnsppay", 80},
    {Int::ListNspBal, "accountpage", "listnspbal", 83},
    {Int::ProjectTreeWidth, "ProjectPage", "TreeWidth", 240},
};

struct TextCase {
    Text id;
    const char* key;
    const char* fallback;
};

const TextCase TextCases[] = {
    {Text::Version, "Version", "1.0.0.0"},           {Text::DefaultCurrency, "Default Currency", "AFA"},
    {Text::BackUpFile, "BackUp File", "BackUp.tyb"}, {Text::BackUpFolder, "BackUp Folder", "\\"},
    {Text::ImportFolder, "Import Folder", "\\"},     {Text::ExportFolder, "Export Folder", "\\"},
};

QString latin(const char* text)
{
    return QString::fromLatin1(text);
}

class TallyraSettingsTest : public ::testing::Test {
protected:
    QString iniPath() const { return m_dir.filePath(QStringLiteral("Tallyra.ini")); }
    QTemporaryDir m_dir;
};

TEST_F(TallyraSettingsTest, FreshFileYieldsEveryDefault)
{
    const TallyraSettings settings(iniPath());
    for (const IntCase& c : IntCases)
        EXPECT_EQ(settings.read(c.id), c.fallback) << c.key;
    for (const TextCase& c : TextCases)
        EXPECT_EQ(settings.read(c.id), latin(c.fallback)) << c.key;
    EXPECT_EQ(settings.futureHorizon(), 0);
    EXPECT_EQ(settings.exportStartDate(QStringLiteral("Cash")), 0);
    EXPECT_EQ(settings.exportFile(QStringLiteral("Cash")), QStringLiteral("Cash.qif"));
    EXPECT_FALSE(QFile::exists(iniPath()));
}

TEST_F(TallyraSettingsTest, EachSettingIsWrittenUnderItsOwnSectionAndKey)
{
    TallyraSettings settings(iniPath());
    qint32 value = 1000;
    for (const IntCase& c : IntCases)
        ASSERT_TRUE(settings.write(c.id, ++value)) << c.key;
    for (const TextCase& c : TextCases)
        ASSERT_TRUE(settings.write(c.id, QStringLiteral("v-") + latin(c.key))) << c.key;

    const SettingsFile raw(iniPath());
    value = 1000;
    for (const IntCase& c : IntCases)
        EXPECT_EQ(raw.readInt(latin(c.section), latin(c.key), -1), ++value) << c.key;
    for (const TextCase& c : TextCases)
        EXPECT_EQ(raw.readText(QStringLiteral("Options"), latin(c.key), {}),
                  QStringLiteral("v-") + latin(c.key));
}

TEST_F(TallyraSettingsTest, HorizonRoundTripsThroughTwoHalves)
{
    const qint64 values[] = {0,
                             1,
                             0x00000000FFFFFFFFLL,
                             0x0000000100000000LL,
                             126'000'000'000'000'000LL,  // a date in 2000
                             0x7FFFFFFFFFFFFFFFLL,
                             -1};
    for (qint64 v : values) {
        {
            TallyraSettings settings(iniPath());
            ASSERT_TRUE(settings.setFutureHorizon(v));
        }
        const TallyraSettings settings(iniPath());
        EXPECT_EQ(settings.futureHorizon(), v) << v;
        EXPECT_EQ(settings.read(Int::FutureListDateLow), static_cast<qint32>(static_cast<quint32>(v)));
        EXPECT_EQ(settings.read(Int::FutureListDateHigh), static_cast<qint32>(static_cast<quint64>(v) >> 32));
    }
}

TEST_F(TallyraSettingsTest, ExportSettingsBelongToTheAccountName)
{
    const QString names[] = {QStringLiteral("Cash"),        QStringLiteral("cash"),
                             QStringLiteral("Visa/Master"), QStringLiteral("Visa\\Master"),
                             QStringLiteral("100% ok"),     QStringLiteral("a=b;c"),
                             QStringLiteral("[Savings]"),   QStringLiteral("Giro, EUR")};
    {
        TallyraSettings settings(iniPath());
        qint64 date = 126'000'000'000'000'000LL;
        for (const QString& name : names) {
            ASSERT_TRUE(settings.setExportStartDate(name, ++date));
            ASSERT_TRUE(settings.setExportFile(name, name + QStringLiteral(" export.txt")));
        }
    }
    const TallyraSettings settings(iniPath());
    qint64 date = 126'000'000'000'000'000LL;
    for (const QString& name : names) {
        EXPECT_EQ(settings.exportStartDate(name), ++date) << name.toStdString();
        EXPECT_EQ(settings.exportFile(name), name + QStringLiteral(" export.txt")) << name.toStdString();
    }
}

TEST_F(TallyraSettingsTest, RenamedAccountStartsFromTheDefaults)
{
    TallyraSettings settings(iniPath());
    ASSERT_TRUE(settings.setExportStartDate(QStringLiteral("Checking"), 126'000'000'000'000'000LL));
    ASSERT_TRUE(settings.setExportFile(QStringLiteral("Checking"), QStringLiteral("/tmp/out.qif")));
    EXPECT_EQ(settings.exportStartDate(QStringLiteral("Checking account")), 0);
    EXPECT_EQ(settings.exportFile(QStringLiteral("Checking account")),
              QStringLiteral("Checking account.qif"));
    EXPECT_EQ(settings.exportStartDate(QStringLiteral("Checking")), 126'000'000'000'000'000LL);
}

TEST_F(TallyraSettingsTest, PerAccountKeysAppendTheNameToTheKey)
{
    TallyraSettings settings(iniPath());
    ASSERT_TRUE(settings.setExportStartDate(QStringLiteral("Cash"), 0x0000000200000003LL));
    ASSERT_TRUE(settings.setExportFile(QStringLiteral("Cash"), QStringLiteral("c.qif")));
    const SettingsFile raw(iniPath());
    EXPECT_EQ(raw.readInt(QStringLiteral("Options"), QStringLiteral("Export low dateCash"), -1), 3);
    EXPECT_EQ(raw.readInt(QStringLiteral("Options"), QStringLiteral("Export high dateCash"), -1), 2);
    EXPECT_EQ(raw.readText(QStringLiteral("Options"), QStringLiteral("Export FileCash"), {}),
              QStringLiteral("c.qif"));
}

TEST_F(TallyraSettingsTest, ListLayoutsLiveInTheListsSection)
{
    TallyraSettings settings(iniPath());
    EXPECT_EQ(settings.listColumnCount(QStringLiteral("Register"), 1), 0);
    EXPECT_EQ(settings.listColumnPosition(QStringLiteral("Register"), 1, 3), 3);
    EXPECT_EQ(settings.listColumnWidth(QStringLiteral("Register"), 1, 3, 77), 77);

    ASSERT_TRUE(settings.setListColumnCount(QStringLiteral("Register"), 1, 6));
    ASSERT_TRUE(settings.setListColumnPosition(QStringLiteral("Register"), 1, 3, 0));
    ASSERT_TRUE(settings.setListColumnWidth(QStringLiteral("Register"), 1, 3, 120));
    EXPECT_EQ(settings.listColumnCount(QStringLiteral("Register"), 1), 6);
    EXPECT_EQ(settings.listColumnPosition(QStringLiteral("Register"), 1, 3), 0);
    EXPECT_EQ(settings.listColumnWidth(QStringLiteral("Register"), 1, 3, 77), 120);
    // Another number is another list.
    EXPECT_EQ(settings.listColumnCount(QStringLiteral("Register"), 2), 0);
    EXPECT_EQ(settings.listColumnCount(QStringLiteral("Register1"), 0), 0);

    const SettingsFile raw(iniPath());
    EXPECT_EQ(raw.readInt(QStringLiteral("Register1"), QStringLiteral("ColumnCount"), -1), 6);
    EXPECT_EQ(raw.readInt(QStringLiteral("Register1"), QStringLiteral("P3"), -1), 0);
    EXPECT_EQ(raw.readInt(QStringLiteral("Register1"), QStringLiteral("W3"), -1), 120);
}

TEST_F(TallyraSettingsTest, FolderSettingsResolveTheBackslashToHome)
{
    TallyraSettings settings(iniPath());
    EXPECT_EQ(settings.folder(Text::BackUpFolder), BookFolder::homeFolder());
    ASSERT_TRUE(settings.write(Text::ImportFolder, QStringLiteral("/srv/qif")));
    EXPECT_EQ(settings.folder(Text::ImportFolder), QStringLiteral("/srv/qif"));
}

TEST_F(TallyraSettingsTest, UnusableFileYieldsDefaultsAndFailedWrites)
{
    // The settings path lies below a plain file: nothing can be read or written.
    QFile block(iniPath());
    ASSERT_TRUE(block.open(QIODevice::WriteOnly));
    block.close();
    TallyraSettings settings(iniPath() + QStringLiteral("/Tallyra.ini"));
    for (const IntCase& c : IntCases)
        EXPECT_EQ(settings.read(c.id), c.fallback) << c.key;
    EXPECT_FALSE(settings.write(Int::Panel0Width, 10));
    EXPECT_FALSE(settings.setFutureHorizon(5));
    EXPECT_EQ(settings.read(Text::DefaultCurrency), QStringLiteral("AFA"));
}

}  // namespace

namespace {

TEST(TallyraSettingsDefaults, DefaultCurrencyIsTheFirstBuiltInCurrency)
{
    QTemporaryDir dir;
    TallyraSettings settings(dir.filePath(QStringLiteral("Tallyra.ini")));
    EXPECT_EQ(settings.read(TallyraSettings::Text::DefaultCurrency), BuiltInCurrencies::code(0));
}

}  // namespace
