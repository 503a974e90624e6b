#include "toolkit/ListColumns.h"

#include "platform/SettingsFile.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

// The register's four columns as created: icon, date, description, amount.
ListColumns registerColumns()
{
    ListColumns c;
    c.insert(0, 17, QString());
    c.insert(1, 70, QStringLiteral("Date"));
    c.insert(2, 90, QStringLiteral("Description"));
    c.insert(3, 60, QStringLiteral("Amount"));
    return c;
}

struct Layout {
    std::vector<int> created;
    std::vector<int> widths;
    friend bool operator==(const Layout&, const Layout&) = default;
};

Layout layoutOf(const ListColumns& c)
{
    Layout l;
    for (const ListColumn& column : c.inDisplayOrder()) {
        l.created.push_back(column.created);
        l.widths.push_back(column.width);
    }
    return l;
}

class ListColumnsTest : public ::testing::Test {
protected:
    QString path() const { return m_dir.filePath(QStringLiteral("Tallyra.ini")); }
    QTemporaryDir m_dir;
};

TEST(ListColumnsSection, IsTheClassNameFollowedByTheOwnersNumber)
{
    EXPECT_EQ(ListColumns::section(QStringLiteral("CCoolList"), 3), QStringLiteral("CCoolList3"));
    EXPECT_EQ(ListColumns::section(QStringLiteral("CCoolList"), 0), QStringLiteral("CCoolList0"));
}

TEST(ListColumnsEdit, InsertShiftsTheFollowingColumnsAndMovesKeepTheCreatedIndex)
{
    ListColumns c = registerColumns();
    c.insert(1, 40, QStringLiteral("No"));
    EXPECT_EQ(layoutOf(c), (Layout{{0, 1, 2, 3, 4}, {17, 40, 70, 90, 60}}));
    ASSERT_TRUE(c.move(4, 0));
    EXPECT_EQ(layoutOf(c), (Layout{{4, 0, 1, 2, 3}, {60, 17, 40, 70, 90}}));
    EXPECT_EQ(c.positionOf(4), 0);
    EXPECT_EQ(c.positionOf(5), -1);
    EXPECT_FALSE(c.move(5, 0));
    EXPECT_FALSE(c.move(0, -1));
    EXPECT_TRUE(c.setWidth(0, -8));
    EXPECT_EQ(c.inDisplayOrder()[0].width, 0);
    EXPECT_FALSE(c.setWidth(5, 10));
    c.insert(99, 5, QStringLiteral("end"));
    EXPECT_EQ(c.inDisplayOrder().back().created, 5);
}

TEST_F(ListColumnsTest, SavedLayoutLoadsBackInOrderAndWidthUnderItsKeys)
{
    ListColumns saved = registerColumns();
    ASSERT_TRUE(saved.move(3, 1));
    ASSERT_TRUE(saved.setWidth(2, 120));
    {
        SettingsFile settings(path());
        ASSERT_TRUE(saved.save(settings, QStringLiteral("CCoolList1")));
    }
    const SettingsFile settings(path());
    const QString s = QStringLiteral("CCoolList1");
    EXPECT_EQ(settings.readInt(s, QStringLiteral("ColumnCount"), 0), 4);
    EXPECT_EQ(settings.readInt(s, QStringLiteral("P3"), -1), 1);
    EXPECT_EQ(settings.readInt(s, QStringLiteral("W3"), -1), 60);
    EXPECT_EQ(settings.readInt(s, QStringLiteral("W1"), -1), 120);

    ListColumns loaded = registerColumns();
    EXPECT_TRUE(loaded.load(settings, s));
    EXPECT_EQ(layoutOf(loaded), layoutOf(saved));
    EXPECT_EQ(loaded.inDisplayOrder()[1].title, QStringLiteral("Amount"));
    ListColumns other = registerColumns();
    EXPECT_FALSE(other.load(settings, QStringLiteral("CCoolList2"))) << "nothing stored under another number";
}

TEST_F(ListColumnsTest, StoredLayoutsThatDoNotFitLeaveTheDefaults)
{
    struct Case {
        const char* what;
        std::vector<std::pair<QString, qint32>> stored;
    };
    const std::vector<Case> cases = {
        {"another column count",
         {{"ColumnCount", 3}, {"P0", 2}, {"P1", 1}, {"P2", 0}, {"W0", 5}, {"W1", 5}, {"W2", 5}}},
        {"a position named twice", {{"ColumnCount", 4}, {"P0", 1}, {"P1", 1}, {"P2", 2}, {"P3", 3}}},
        {"a position outside the columns", {{"ColumnCount", 4}, {"P0", 0}, {"P1", 1}, {"P2", 2}, {"P3", 4}}},
        {"a position missing", {{"ColumnCount", 4}, {"P0", 0}, {"P1", 1}, {"P2", 2}}},
    };
    const Layout defaults = layoutOf(registerColumns());
    for (const Case& c : cases) {
        SettingsFile settings(path());
        ASSERT_TRUE(settings.writeInts(QString::fromLatin1(c.what), c.stored));
        ListColumns columns = registerColumns();
        EXPECT_FALSE(columns.load(settings, QString::fromLatin1(c.what))) << c.what;
        EXPECT_EQ(layoutOf(columns), defaults) << c.what;
    }
}

TEST_F(ListColumnsTest, AMissingWidthKeepsTheColumnsOwn)
{
    SettingsFile settings(path());
    ASSERT_TRUE(settings.writeInts(
        QStringLiteral("L"), {{"ColumnCount", 4}, {"P0", 3}, {"P1", 2}, {"P2", 1}, {"P3", 0}, {"W2", 33}}));
    ListColumns columns = registerColumns();
    ASSERT_TRUE(columns.load(settings, QStringLiteral("L")));
    EXPECT_EQ(layoutOf(columns), (Layout{{3, 2, 1, 0}, {60, 33, 70, 17}}));
}

}  // namespace
