#include "reference/Projects.h"

#include "TreeTestBook.h"

#include <gtest/gtest.h>

namespace {

using Outcome = TreeTable::DeleteOutcome;

// All projects(1) > Home(2) > Garden(3) > Pond(5); Home > Kitchen(4); Work(6)
class ProjectsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(projects().ensureRoot());
        ASSERT_EQ(projects().create(1, QStringLiteral("Home")), 2);
        ASSERT_EQ(projects().create(2, QStringLiteral("Garden")), 3);
        ASSERT_EQ(projects().create(2, QStringLiteral("Kitchen")), 4);
        ASSERT_EQ(projects().create(3, QStringLiteral("Pond")), 5);
        ASSERT_EQ(projects().create(1, QStringLiteral("Work")), 6);
    }
    Projects& projects() { return b.projects; }
    DbTable& table() { return b.tables().projects(); }

    void setTotals(qint32 id, qint64 ownDeposits, qint64 ownPayments, qint64 treeDeposits,
                   qint64 treePayments, qint32 valid = 1)
    {
        ASSERT_TRUE(table().seekInt(SeekKind::Equal, id));
        ASSERT_TRUE(table().setInt64(Prop::OwnDeposits, ownDeposits) &&
                    table().setInt64(Prop::OwnPayments, ownPayments) &&
                    table().setInt64(Prop::TreeDeposits, treeDeposits) &&
                    table().setInt64(Prop::TreePayments, treePayments) &&
                    table().setInt(Prop::TotalsValid, valid));
    }
    qint64 field(qint32 id, quint16 prop)
    {
        EXPECT_TRUE(table().seekInt(SeekKind::Equal, id));
        return prop == Prop::TotalsValid ? table().getInt(prop) : table().getInt64(prop);
    }

    TreeTestBook b;
};

TEST_F(ProjectsTest, RootIsMadeOnceAsAllProjects)
{
    EXPECT_TRUE(projects().ensureRoot());
    EXPECT_EQ(table().count(), 6);
    EXPECT_EQ(projects().pathOf(1), QStringLiteral("All projects"));
    EXPECT_EQ(projects().tree().record(1)->parent, 0);
}

TEST_F(ProjectsTest, PathsHaveNoTransferForm)
{
    EXPECT_EQ(projects().pathOf(5), QStringLiteral("Home:Garden:Pond"));
    EXPECT_EQ(projects().pathOf(0), QString());
    EXPECT_EQ(projects().pathOf(-2), QString());
    EXPECT_EQ(projects().findByPath(QStringLiteral("home:garden")), 3);
    EXPECT_EQ(projects().findByPath(QStringLiteral("[Home]")), 0);
    EXPECT_EQ(projects().createByPath(QStringLiteral("Work:Trips:2004")), 8);
    EXPECT_EQ(projects().pathOf(7), QStringLiteral("Work:Trips"));
}

TEST_F(ProjectsTest, DeleteRefusesParentsAndTheRootAndAsksForLeaves)
{
    for (const qint32 id : {1, 2, 3, 0, -1, 42})
        EXPECT_EQ(projects().remove(id, b.ui), Outcome::Refused) << id;
    EXPECT_TRUE(b.ui.questions.isEmpty());
    EXPECT_EQ(projects().remove(5, b.ui), Outcome::Declined);
    EXPECT_EQ(b.ui.questions, QStringList{QStringLiteral("Delete Project 'Pond'?")});
    EXPECT_TRUE(projects().tree().exists(5));
}

TEST_F(ProjectsTest, DeleteDetachesTransactionsPlansAndFutureEntries)
{
    for (int minute = 0; minute < 3; ++minute)
        b.addTransaction(minute, 0, 5);
    b.addTransaction(10, 0, 3);
    b.addTransaction(11, 0, 55);  // "55_" keys sort right after "5_" keys
    b.addPlan(1, 0, 5);
    b.addPlan(2, 0, 6);
    b.addScheduled(at(2004, 1, 1), 0, 5);
    b.addScheduled(at(2004, 1, 2), 0, 4);
    b.ui.answer(true);

    EXPECT_EQ(projects().remove(5, b.ui), Outcome::Deleted);

    DbTable& tx = b.tables().transactions();
    EXPECT_EQ(TreeTestBook::countWhere(tx, Prop::ProjectId, 5), 0);
    EXPECT_EQ(TreeTestBook::countWhere(tx, Prop::ProjectId, 0), 3);
    EXPECT_EQ(TreeTestBook::countHaving(tx, Prop::ProjectKey), 2);
    EXPECT_EQ(TreeTestBook::countWhere(tx, Prop::ProjectId, 55), 1);
    EXPECT_EQ(TreeTestBook::countWhere(b.tables().planner(), Prop::ProjectId, 0), 1);
    EXPECT_EQ(TreeTestBook::countWhere(b.tables().planner(), Prop::ProjectId, 6), 1);
    DbTable& future = b.tables().scheduled();
    EXPECT_EQ(TreeTestBook::countWhere(future, Prop::ProjectId, 0), 1);
    EXPECT_EQ(TreeTestBook::countHaving(future, Prop::ProjectKey), 1);
    EXPECT_FALSE(projects().tree().exists(5));
    EXPECT_EQ(tx.sortId(), Prop::AccountKey);
    EXPECT_EQ(future.sortId(), Prop::Date);
}

TEST_F(ProjectsTest, DeleteTakesTheOwnSumsOutOfEveryAncestorAndMarksTheParentStale)
{
    setTotals(5, 10000, 3300, 0, 0);
    setTotals(3, 500, 0, 10000, 3300);
    setTotals(2, 0, 0, 10700, 3300);
    setTotals(1, 0, 0, 10700, 3300);
    setTotals(6, 0, 0, 0, 0);
    b.ui.answer(true);
    ASSERT_EQ(projects().remove(5, b.ui), Outcome::Deleted);

    EXPECT_EQ(field(3, Prop::TreeDeposits), 0);
    EXPECT_EQ(field(3, Prop::TreePayments), 0);
    EXPECT_EQ(field(3, Prop::OwnDeposits), 500);
    EXPECT_EQ(field(2, Prop::TreeDeposits), 700);
    EXPECT_EQ(field(1, Prop::TreeDeposits), 700);
    EXPECT_EQ(field(1, Prop::TreePayments), 0);
    EXPECT_EQ(field(3, Prop::TotalsValid), 0);
    EXPECT_EQ(field(2, Prop::TotalsValid), 1);
    EXPECT_EQ(field(6, Prop::TotalsValid), 1);
}

TEST_F(ProjectsTest, DeleteUnderACycleStopsWalkingUp)
{
    // 8 and 9 name each other; 10 hangs below 9.
    b.addRaw(table(), Prop::ProjectId, 8, 9, QStringLiteral("A"));
    b.addRaw(table(), Prop::ProjectId, 9, 8, QStringLiteral("B"));
    b.addRaw(table(), Prop::ProjectId, 10, 9, QStringLiteral("Leaf"));
    setTotals(10, 200, 100, 0, 0);
    setTotals(9, 0, 0, 200, 100);
    setTotals(8, 0, 0, 200, 100);
    b.ui.answer(true);
    ASSERT_EQ(projects().remove(10, b.ui), Outcome::Deleted);
    EXPECT_EQ(field(9, Prop::TreeDeposits), 0);
    EXPECT_EQ(field(8, Prop::TreeDeposits), 0);
    EXPECT_EQ(field(8, Prop::TreePayments), 0);
}

TEST_F(ProjectsTest, DeleteThatFailsChangesNothing)
{
    b.addTransaction(0, 0, 5);
    b.addPlan(1, 0, 5);
    setTotals(5, 100, 0, 0, 0);
    setTotals(3, 0, 0, 100, 0);
    b.ui.answer(true);
    int writes = 0;
    b.book.store().setWriteFault([&writes] { return ++writes > 3; });
    EXPECT_EQ(projects().remove(5, b.ui), Outcome::Failed);
    b.book.store().setWriteFault({});
    EXPECT_TRUE(projects().tree().exists(5));
    EXPECT_EQ(TreeTestBook::countWhere(b.tables().transactions(), Prop::ProjectId, 5), 1);
    EXPECT_EQ(TreeTestBook::countHaving(b.tables().transactions(), Prop::ProjectKey), 1);
    EXPECT_EQ(TreeTestBook::countWhere(b.tables().planner(), Prop::ProjectId, 5), 1);
    EXPECT_EQ(field(3, Prop::TreeDeposits), 100);
}

TEST_F(ProjectsTest, BoldProjectsAreThoseDueByTheEndOfTodayWithTheirAncestors)
{
    const FileTime today = at(2004, 3, 10, 9);
    b.addScheduled(at(2004, 3, 10, 23, 59), 0, 5);
    b.addScheduled(at(2004, 3, 11, 0, 0), 0, 6);
    b.addScheduled(at(2004, 3, 1), 0, 0);
    const QSet<qint32> bold = projects().boldProjects(today);
    EXPECT_EQ(bold, (QSet<qint32>{5, 3, 2, 1}));
    EXPECT_EQ(projects().boldProjects(at(2004, 3, 11)), (QSet<qint32>{5, 3, 2, 1, 6}));
    EXPECT_TRUE(projects().boldProjects(at(2004, 3, 9)).isEmpty());
}

TEST_F(ProjectsTest, FillKeepsTableOrderAndOpensTheWayToTheRemembered)
{
    ASSERT_EQ(projects().create(1, QStringLiteral("Aardvark")), 7);
    const TreeItems items = projects().fill(5, {3});
    const std::vector<int>& top = items.childrenOf(TreeItems::Top);
    ASSERT_EQ(top.size(), 1u);
    const TreeItem& root = items.at(top[0]);
    EXPECT_TRUE(root.expanded);
    ASSERT_EQ(root.children.size(), 3u);
    EXPECT_EQ(items.at(root.children[0]).text, QStringLiteral("Home"));
    EXPECT_EQ(items.at(root.children[1]).text, QStringLiteral("Work"));
    EXPECT_EQ(items.at(root.children[2]).text, QStringLiteral("Aardvark"));
    EXPECT_TRUE(items.at(items.find(2)).expanded);
    EXPECT_TRUE(items.at(items.find(3)).expanded);
    EXPECT_TRUE(items.at(items.find(3)).bold);
    EXPECT_TRUE(items.at(items.find(5)).expanded);
    EXPECT_FALSE(items.at(items.find(6)).expanded);
    EXPECT_FALSE(items.at(items.find(2)).bold);
}

}  // namespace

namespace {

TEST_F(ProjectsTest, FindOrCreateAsksWithTheProjectQuestion)
{
    EXPECT_EQ(projects().findOrCreate(QStringLiteral("Home:Garden"), &b.ui), 3);
    EXPECT_EQ(projects().findOrCreate(QStringLiteral("Home:Attic"), &b.ui), 0);
    EXPECT_EQ(b.ui.questions,
              QStringList{QStringLiteral("Project 'Home:Attic' does not exist. Do You want to create new?")});
    EXPECT_EQ(projects().findOrCreate(QStringLiteral("Home:Attic"), nullptr), 7);
    EXPECT_EQ(projects().pathOf(7), QStringLiteral("Home:Attic"));
}

}  // namespace
