#include "store/TreePath.h"

#include "store/RecordLayout.h"
#include "store/SortScope.h"
#include "support/TempBook.h"

#include <gtest/gtest.h>

namespace {

struct Row {
    qint32 id;
    qint32 parent;
    const char* name;
};

// All categories > Auto > Fuel, Service; Insurance > Auto, Home; Taxes > Federal
const Row SmallTree[] = {
    {1, 0, "All categories"}, {2, 1, "Auto"}, {3, 2, "Fuel"},  {4, 2, "Service"}, {5, 1, "Insurance"},
    {6, 5, "Auto"},           {7, 5, "Home"}, {8, 1, "Taxes"}, {9, 8, "Federal"}, {10, 1, "Autumn"},
};

class TreePathTest : public ::testing::Test {
protected:
    DbTable& table() { return m_book.tables().categories(); }
    TreePath& paths() { return m_paths; }

    void add(qint32 id, qint32 parent, const QString& name)
    {
        table().beginNew();
        ASSERT_TRUE(table().setInt(Prop::CategoryId, id));
        ASSERT_TRUE(table().setInt(Prop::Parent, parent));
        ASSERT_TRUE(table().setText(Prop::Name, name, true));
    }
    template <size_t N> void add(const Row (&rows)[N])
    {
        for (const Row& r : rows)
            add(r.id, r.parent, QString::fromUtf8(r.name));
    }
    qint32 parentOf(qint32 id) { return m_paths.node(id).value_or(TreePath::Node{}).parent; }

private:
    TempBook m_book;
    TreePath m_paths{m_book.tables().categories(), Prop::CategoryId};
};

TEST_F(TreePathTest, PathOfJoinsNamesBelowTheRoot)
{
    add(SmallTree);
    const struct {
        qint32 id;
        const char* path;
    } cases[] = {
        {1, "All categories"}, {2, "Auto"}, {3, "Auto:Fuel"}, {6, "Insurance:Auto"},
        {9, "Taxes:Federal"},  {0, ""},     {99, ""},         {-3, ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(paths().pathOf(c.id), QString::fromUtf8(c.path)) << c.id;
}

TEST_F(TreePathTest, PathOfStopsAtMissingParentsAndAtOtherRoots)
{
    add(SmallTree);
    add(20, 77, "Orphan");
    add(21, 20, "Child");
    add(30, 0, "Second root");
    add(31, 30, "Under second");
    EXPECT_EQ(paths().pathOf(20), QStringLiteral("Orphan"));
    EXPECT_EQ(paths().pathOf(21), QStringLiteral("Orphan:Child"));
    EXPECT_EQ(paths().pathOf(30), QStringLiteral("Second root"));
    EXPECT_EQ(paths().pathOf(31), QStringLiteral("Under second"));
}

TEST_F(TreePathTest, CycleInParentLinksEndsTheWalk)
{
    add(1, 0, "All categories");
    add(2, 3, "A");
    add(3, 2, "B");
    add(4, 4, "Self");
    add(5, 3, "Below");
    EXPECT_EQ(paths().pathOf(2), QStringLiteral("B:A"));
    EXPECT_EQ(paths().pathOf(3), QStringLiteral("A:B"));
    EXPECT_EQ(paths().pathOf(4), QStringLiteral("Self"));
    EXPECT_EQ(paths().pathOf(5), QStringLiteral("A:B:Below"));
    EXPECT_EQ(paths().ancestorsOf(2), (std::vector<qint32>{3}));
    EXPECT_EQ(paths().ancestorsOf(5), (std::vector<qint32>{3, 2}));
    EXPECT_TRUE(paths().ancestorsOf(4).empty());
    EXPECT_TRUE(paths().isSelfOrAncestor(2, 3));
    EXPECT_TRUE(paths().isSelfOrAncestor(3, 2));
    EXPECT_FALSE(paths().isSelfOrAncestor(1, 2));
    EXPECT_EQ(paths().findByPath(QStringLiteral("b:a")), 2);
    EXPECT_EQ(paths().findByPath(QStringLiteral("A:B:Below")), 5);
}

TEST_F(TreePathTest, AncestorsRunUpToTheRoot)
{
    add(SmallTree);
    EXPECT_EQ(paths().ancestorsOf(3), (std::vector<qint32>{2, 1}));
    EXPECT_EQ(paths().ancestorsOf(1), std::vector<qint32>{});
    EXPECT_EQ(paths().ancestorsOf(42), std::vector<qint32>{});
    EXPECT_TRUE(paths().isSelfOrAncestor(1, 9));
    EXPECT_TRUE(paths().isSelfOrAncestor(9, 9));
    EXPECT_FALSE(paths().isSelfOrAncestor(9, 8));
    EXPECT_FALSE(paths().isSelfOrAncestor(2, 6));
}

TEST_F(TreePathTest, FindByPathComparesWholePathsIgnoringCase)
{
    add(SmallTree);
    const struct {
        const char* path;
        qint32 id;
    } cases[] = {
        {"Auto", 2},
        {"auto", 2},
        {"AUTO:FUEL", 3},
        {"Insurance:Auto", 6},
        {"insurance:auto", 6},
        {"All categories", 1},
        {"Taxes:Federal", 9},
        // prefixes, wrong parents, extra parts and empty parts find nothing
        {"Aut", 0},
        {"Fuel", 0},
        {"Taxes:Fuel", 0},
        {"Auto:Fuel:X", 0},
        {"Auto:", 0},
        {"", 0},
        {":", 0},
        {"Nothing", 0},
        // the root's name or ':' in front means the path below the root
        {":Auto", 2},
        {"All categories:Auto", 2},
        {"all CATEGORIES:Auto:Fuel", 3},
        {":Taxes:Federal", 9},
        {"All categories:", 0},
        {"All categoriesAuto", 0},
    };
    for (const auto& c : cases)
        EXPECT_EQ(paths().findByPath(QString::fromUtf8(c.path)), c.id) << c.path;
}

TEST_F(TreePathTest, FindByPathGivesTheFirstOfEqualPathsInIdOrder)
{
    add(SmallTree);
    add(11, 2, "fuel");
    EXPECT_EQ(paths().findByPath(QStringLiteral("Auto:Fuel")), 3);
}

TEST_F(TreePathTest, FindByPathOnAnEmptyTable)
{
    EXPECT_EQ(paths().findByPath(QStringLiteral("Auto")), 0);
    EXPECT_EQ(paths().findByPathPrefix(QStringLiteral("A")), 0);
    EXPECT_EQ(paths().pathOf(1), QString());
}

TEST_F(TreePathTest, FindByPathPrefixCompletesTheLastComponent)
{
    add(SmallTree);
    const struct {
        const char* typed;
        qint32 id;
    } cases[] = {
        {"A", 2},
        {"au", 2},
        {"Autu", 10},
        {"Auto:", 3},
        {"auto:s", 4},
        {"Insurance:A", 6},
        {"insurance:h", 7},
        {"T", 8},
        {"Taxes:", 9},
        // the parent part must be a whole path; the root never matches
        {"Ins:A", 0},
        {"All", 0},
        {"", 0},
        {"Auto:x", 0},
        {"Fuel", 0},
        {":A", 2},
        {"All categories:Insurance:H", 7},
    };
    for (const auto& c : cases)
        EXPECT_EQ(paths().findByPathPrefix(QString::fromUtf8(c.typed)), c.id) << c.typed;
}

TEST_F(TreePathTest, CreateByPathBuildsMissingParentsTopDown)
{
    add(SmallTree);
    const qint32 id = paths().createByPath(QStringLiteral("Home:Garden:Tools"));
    EXPECT_EQ(id, 13);
    EXPECT_EQ(paths().pathOf(11), QStringLiteral("Home"));
    EXPECT_EQ(parentOf(11), 1);
    EXPECT_EQ(paths().pathOf(12), QStringLiteral("Home:Garden"));
    EXPECT_EQ(paths().pathOf(13), QStringLiteral("Home:Garden:Tools"));
    EXPECT_EQ(table().count(), 13);
}

TEST_F(TreePathTest, CreateByPathReusesAnExistingParentIgnoringCase)
{
    add(SmallTree);
    EXPECT_EQ(paths().createByPath(QStringLiteral("insurance:Life")), 11);
    EXPECT_EQ(parentOf(11), 5);
    EXPECT_EQ(paths().pathOf(11), QStringLiteral("Insurance:Life"));
}

TEST_F(TreePathTest, CreateByPathDoesNotLookUpTheFullPath)
{
    add(SmallTree);
    EXPECT_EQ(paths().createByPath(QStringLiteral("Auto:Fuel")), 11);
    EXPECT_EQ(parentOf(11), 2);
    EXPECT_EQ(paths().findByPath(QStringLiteral("Auto:Fuel")), 3);
}

TEST_F(TreePathTest, CreateByPathEdges)
{
    add(SmallTree);
    EXPECT_EQ(paths().createByPath(QString()), TreePath::RootId);
    EXPECT_EQ(table().count(), 10);
    // No parent part: a child of the root.
    EXPECT_EQ(paths().createByPath(QStringLiteral("Pets")), 11);
    EXPECT_EQ(parentOf(11), 1);
    // An empty parent part also means the root.
    EXPECT_EQ(paths().createByPath(QStringLiteral(":Toys")), 12);
    EXPECT_EQ(parentOf(12), 1);
    EXPECT_EQ(paths().node(12)->name, QStringLiteral("Toys"));
    // An empty middle part becomes a record with an empty name.
    EXPECT_EQ(paths().createByPath(QStringLiteral("Auto::Oil")), 14);
    EXPECT_EQ(parentOf(13), 2);
    EXPECT_EQ(paths().node(13)->name, QString());
    EXPECT_EQ(parentOf(14), 13);
}

TEST_F(TreePathTest, CreateByPathBelowANamedRootMakesNoSecondRecord)
{
    add(SmallTree);
    const struct {
        const char* path;
        qint32 id;
        qint32 parent;
    } cases[] = {
        {"All categories:Dining", 11, 1},
        {"All categories:Auto:Tyres", 12, 2},
        {":Insurance:Life", 13, 5},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(paths().createByPath(QString::fromUtf8(c.path)), c.id) << c.path;
        EXPECT_EQ(parentOf(c.id), c.parent) << c.path;
        // Found again by the same text, so a second "find, else create" makes nothing.
        EXPECT_EQ(paths().findByPath(QString::fromUtf8(c.path)), c.id) << c.path;
    }
    EXPECT_EQ(paths().pathOf(12), QStringLiteral("Auto:Tyres"));
    EXPECT_EQ(table().count(), 13);
}

TEST_F(TreePathTest, CreateByPathOfManyPartsDoesNotRecurse)
{
    add(1, 0, "All categories");
    QStringList parts;
    for (int i = 0; i < 300; ++i)
        parts << QStringLiteral("n%1").arg(i);
    const qint32 leaf = paths().createByPath(parts.join(QLatin1Char(':')));
    EXPECT_EQ(leaf, 301);
    EXPECT_EQ(paths().pathOf(leaf), parts.join(QLatin1Char(':')));
}

TEST_F(TreePathTest, CreateChildTakesTheNextIdAfterTheLargest)
{
    add(1, 0, "All categories");
    add(40, 1, "High");
    EXPECT_EQ(paths().createChild(40, QStringLiteral("Low")), 41);
    EXPECT_EQ(paths().createChild(1, QStringLiteral("Next")), 42);
    EXPECT_EQ(paths().pathOf(41), QStringLiteral("High:Low"));
}

TEST_F(TreePathTest, CreateChildFailsWhenTheStoreRefusesTheWrite)
{
    add(1, 0, "All categories");
    table().store()->setWriteFault([] { return true; });
    EXPECT_EQ(paths().createChild(1, QStringLiteral("X")), 0);
    EXPECT_EQ(paths().createByPath(QStringLiteral("A:B")), 0);
    table().store()->setWriteFault({});
    EXPECT_EQ(table().count(), 1);
}

TEST_F(TreePathTest, CreateByPathThatFailsPartWayLeavesNoParentsBehind)
{
    add(1, 0, "All categories");
    int writes = 0;
    table().store()->setWriteFault([&writes] { return ++writes > 2; });
    EXPECT_EQ(paths().createByPath(QStringLiteral("A:B:C")), 0);
    table().store()->setWriteFault({});
    EXPECT_EQ(table().count(), 1);
    EXPECT_EQ(paths().findByPath(QStringLiteral("A")), 0);
}

TEST_F(TreePathTest, LeavesTheCursorInTheOrderItFound)
{
    add(SmallTree);
    table().close();
    ASSERT_TRUE(table().open());
    EXPECT_EQ(paths().createByPath(QStringLiteral("New:Child")), 12);
    EXPECT_EQ(paths().pathOf(12), QStringLiteral("New:Child"));
    EXPECT_EQ(table().sortKind(), DbTable::SortKind::None);
    ASSERT_TRUE(table().resortByInteger(Prop::CategoryId));
    EXPECT_EQ(paths().findByPath(QStringLiteral("Auto:Fuel")), 3);
    EXPECT_EQ(table().sortKind(), DbTable::SortKind::Integer);
}

TEST(SortScope, PutsBackTheOrderItFoundEvenWhenItCouldNotSort)
{
    TempBook book;
    DbTable& t = book.tables().transactions();
    ASSERT_TRUE(t.resortByText(Prop::ProjectKey));
    {
        // The transaction table has no integer order on 104.
        SortScope scope(t, Prop::AccountId);
        EXPECT_FALSE(scope.ok());
    }
    EXPECT_TRUE(t.isOpen());
    EXPECT_EQ(t.sortId(), Prop::ProjectKey);
    EXPECT_EQ(t.sortKind(), DbTable::SortKind::Text);
}

TEST(SortScope, NestsAroundIdAllocation)
{
    TempBook book;
    DbTable& t = book.tables().projects();
    t.close();
    ASSERT_TRUE(t.open());
    {
        SortScope outer(t, Prop::ProjectId);
        ASSERT_TRUE(outer.ok());
        {
            SortScope inner(t, Prop::ProjectId);
            EXPECT_EQ(t.nextId(Prop::ProjectId), 1);
        }
        EXPECT_EQ(t.sortKind(), DbTable::SortKind::Integer);
    }
    EXPECT_TRUE(t.isOpen());
    EXPECT_EQ(t.sortKind(), DbTable::SortKind::None);
}

}  // namespace
