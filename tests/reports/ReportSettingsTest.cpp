#include "reports/ReportSettings.h"

#include "platform/BookFolder.h"
#include "platform/SettingsFile.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

class ReportSettingsTest : public ::testing::Test {
protected:
    QString ini() const { return m_dir.filePath(QStringLiteral("Sumora.ini")); }
    QTemporaryDir m_dir;
};

TEST_F(ReportSettingsTest, KeysAndDefaultsOfTheReportProgram)
{
    using Int = ReportSettings::Int;
    using Text = ReportSettings::Text;
    struct IntCase {
        Int id;
        const char* section;
        const char* key;
        qint32 fallback;
    };
    const IntCase ints[] = {
        {Int::Panel0Width, "Options", "Panel0cx", 60},
        {Int::Panel1Width, "Options", "Panel1cx", 0},
        {Int::TreeWidth, "ReportPage", "TreeWidth", 240},
    };
    ReportSettings settings(ini());
    for (const IntCase& c : ints) {
        const ReportSettings::IntKey& k = ReportSettings::intKey(c.id);
        EXPECT_STREQ(k.section, c.section);
        EXPECT_STREQ(k.key, c.key);
        EXPECT_EQ(settings.read(c.id), c.fallback) << c.key;
    }
    struct TextCase {
        Text id;
        const char* section;
        const char* key;
        const char* fallback;
    };
    const TextCase texts[] = {
        {Text::DefaultCurrency, "Options", "Default Currency", "AFA"},
        {Text::FilterFolder, "Options", "Filter Folder", "\\"},
        {Text::ExportFolder, "Options", "Export Folder", "\\"},
        {Text::FilterCurrency, "filter", "Currency", ""},
    };
    for (const TextCase& c : texts) {
        const ReportSettings::TextKey& k = ReportSettings::textKey(c.id);
        EXPECT_STREQ(k.section, c.section);
        EXPECT_STREQ(k.key, c.key);
        EXPECT_EQ(settings.read(c.id), QString::fromLatin1(c.fallback)) << c.key;
    }
}

TEST_F(ReportSettingsTest, ValuesAreWrittenUnderTheirOwnSectionAndKey)
{
    ReportSettings settings(ini());
    ASSERT_TRUE(settings.write(ReportSettings::Text::FilterCurrency, QStringLiteral("EUR")));
    ASSERT_TRUE(settings.write(ReportSettings::Int::TreeWidth, 300));
    const SettingsFile raw(ini());
    EXPECT_EQ(raw.readText(QStringLiteral("filter"), QStringLiteral("Currency"), {}), QStringLiteral("EUR"));
    EXPECT_EQ(raw.readInt(QStringLiteral("ReportPage"), QStringLiteral("TreeWidth"), 0), 300);
    EXPECT_EQ(ReportSettings(ini()).read(ReportSettings::Int::TreeWidth), 300);
}

TEST_F(ReportSettingsTest, FolderSettingsDefaultToTheHomeFolder)
{
    ReportSettings settings(ini());
    EXPECT_EQ(settings.folder(ReportSettings::Text::FilterFolder), BookFolder::homeFolder());
    ASSERT_TRUE(settings.write(ReportSettings::Text::ExportFolder, QStringLiteral("/tmp/reports")));
    EXPECT_EQ(settings.folder(ReportSettings::Text::ExportFolder), QStringLiteral("/tmp/reports"));
}

TEST_F(ReportSettingsTest, ColumnWidthsPerView)
{
    struct Case {
        ReportKind kind;
        const char* section;
        std::vector<qint32> widths;
    };
    const Case cases[] = {
        {ReportKind::TransactionList, "listtrans", {18, 80, 200, 80}},
        {ReportKind::Categories, "listcats", {18, 200, 80, 80, 80}},
        {ReportKind::Projects, "listprojs", {18, 200, 80, 80, 80}},
    };
    ReportSettings settings(ini());
    for (const Case& c : cases) {
        EXPECT_STREQ(ReportSettings::listSection(c.kind), c.section);
        ASSERT_EQ(ReportSettings::columnCount(c.kind), static_cast<int>(c.widths.size()));
        for (int col = 0; col < ReportSettings::columnCount(c.kind); ++col)
            EXPECT_EQ(settings.columnWidth(c.kind, col), c.widths[static_cast<size_t>(col)])
                << c.section << col;
        // Outside the view's columns: nothing read, nothing written.
        EXPECT_EQ(settings.columnWidth(c.kind, -1), 0);
        EXPECT_EQ(settings.columnWidth(c.kind, 5), 0);
        EXPECT_FALSE(settings.setColumnWidth(c.kind, ReportSettings::columnCount(c.kind), 50));
    }
    ASSERT_TRUE(settings.setColumnWidth(ReportKind::Categories, 1, 150));
    EXPECT_EQ(SettingsFile(ini()).readInt(QStringLiteral("listcats"), QStringLiteral("1"), 0), 150);
    // The other views keep their own.
    EXPECT_EQ(settings.columnWidth(ReportKind::Projects, 1), 200);
}

}  // namespace
