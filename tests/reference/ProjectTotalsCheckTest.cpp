#include "reference/ProjectTotalsCheck.h"

#include "ProjectTotalsTestBook.h"

#include <gtest/gtest.h>

namespace {

const QString Usd = QStringLiteral("USD");

class ProjectTotalsCheckTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        b.makeStandardBook();
        m_garden = b.addTransaction(3, 10000, "USD");
        b.addTransaction(3, -3000, "EUR");
        b.addTransaction(4, 700, "USD");
        b.addTransaction(6, -250, "USD");
        ASSERT_TRUE(b.totals.updateAll(Usd));
    }
    QStringList problems() { return ProjectTotalsCheck(b.tables(), b.currencies).problems(Usd); }
    void write(qint32 project, quint16 prop, qint64 value)
    {
        ASSERT_TRUE(b.table().seekInt(SeekKind::Equal, project));
        ASSERT_TRUE(b.table().setInt64(prop, value));
    }

    ProjectTotalsTestBook b;
    QString m_garden;
};

TEST_F(ProjectTotalsCheckTest, TotalsOfAFullAndOfAStaleOnlyUpdateHold)
{
    EXPECT_EQ(problems(), QStringList());
    b.setAmount(m_garden, 4000);
    ASSERT_TRUE(b.totals.markStale(3));
    ASSERT_TRUE(b.totals.updateStale(Usd));
    EXPECT_EQ(problems(), QStringList());
}

TEST_F(ProjectTotalsCheckTest, ACorruptedOwnSumIsReported)
{
    write(3, Prop::OwnDeposits, 9999);
    // The ancestors' subtree sums follow the stored own sums, so they now
    // disagree by the same cent.
    EXPECT_EQ(
        problems(),
        (QStringList{"project 1 (All projects): subtree deposits 107.00 stored, 106.99 in its sub-projects",
                     "project 2 (Home): subtree deposits 107.00 stored, 106.99 in its sub-projects",
                     "project 3 (Garden): own deposits 99.99 stored, 100.00 counted"}));
}

TEST_F(ProjectTotalsCheckTest, ACorruptedCurrencyFieldIsReportedByItsCode)
{
    write(3, Prop::projectPaymentsIn(2), 2999);
    EXPECT_EQ(problems(),
              QStringList{QStringLiteral("project 3 (Garden): payments in EUR 29.99 stored, 30.00 counted")});
}

TEST_F(ProjectTotalsCheckTest, ASubtreeSumOffFromItsSubProjectsIsReported)
{
    // Home holds Garden (100.00 + 33.00 paid) and Pond (7.00) below it.
    write(2, Prop::TreeDeposits, 10000);
    EXPECT_EQ(problems(),
              QStringList{QStringLiteral(
                  "project 2 (Home): subtree deposits 100.00 stored, 107.00 in its sub-projects")});
}

TEST_F(ProjectTotalsCheckTest, AStaleProjectIsNotReported)
{
    // The transaction changed and its project was marked stale: waiting for
    // its recompute is not a fault, and its ancestors still agree with its
    // stored own sums.
    b.setAmount(m_garden, 4000);
    ASSERT_TRUE(b.totals.markStale(3));
    EXPECT_EQ(problems(), QStringList());
}

TEST_F(ProjectTotalsCheckTest, AChangeLeftUnmarkedIsReported)
{
    b.setAmount(m_garden, 4000);
    const QStringList found = problems();
    EXPECT_TRUE(
        found.contains(QStringLiteral("project 3 (Garden): deposits in USD 100.00 stored, 40.00 counted")))
        << found.join(u'\n').toStdString();
    EXPECT_TRUE(
        found.contains(QStringLiteral("project 3 (Garden): own deposits 100.00 stored, 40.00 counted")));
}

TEST_F(ProjectTotalsCheckTest, ReservedAccountsAreNotCounted)
{
    b.addTransaction(6, 100000, "USD", ReservedAccount::Holder);
    EXPECT_EQ(problems(), QStringList());
}

TEST_F(ProjectTotalsCheckTest, ACycleInTheParentLinksEnds)
{
    b.setParent(2, 4);  // Home > Garden > Pond > Home
    const QStringList found = problems();
    EXPECT_FALSE(found.isEmpty());
}

TEST_F(ProjectTotalsCheckTest, ProjectKeysMustMatchTheProjectAndTheDate)
{
    // A key of another project: the sum of neither project moves, so only the key tells.
    b.addMismatched(5, 6, 0);
    DbTable& t = b.tables().transactions();
    const FileTime at = when(2004, 1, 1);
    t.beginNew();
    ASSERT_TRUE(t.setText(Prop::AccountKey, fullKey(1, at)) && t.setInt(Prop::AccountId, 1) &&
                t.setInt64(Prop::Date, at) && t.setInt(Prop::ProjectId, 5) &&
                t.setInt64(Prop::Balance, 0, true));
    const QStringList found = problems();
    ASSERT_EQ(found.size(), 2) << found.join(u'\n').toStdString();
    EXPECT_TRUE(found[0].endsWith(QStringLiteral("not the key of project 6 on its date")))
        << found[0].toStdString();
    EXPECT_EQ(found[1], QStringLiteral("transaction 1_20040101120000000 has project 5 but no project key"));
}

TEST_F(ProjectTotalsCheckTest, AProjectKeyWithoutAProjectIsReported)
{
    b.addMismatched(5, 0, 0);
    const QStringList found = problems();
    ASSERT_EQ(found.size(), 1);
    EXPECT_TRUE(found[0].endsWith(QStringLiteral("has a project key but no project")))
        << found[0].toStdString();
}

TEST_F(ProjectTotalsCheckTest, CheckingWritesNothingAndKeepsTheSortOrders)
{
    write(3, Prop::OwnDeposits, 1);
    const std::vector<std::string> before = b.snapshot();
    DbTable& t = b.tables().transactions();
    ASSERT_TRUE(t.resortByText(Prop::AccountKey));
    EXPECT_FALSE(problems().isEmpty());
    EXPECT_EQ(b.snapshot(), before);
    EXPECT_EQ(t.sortId(), Prop::AccountKey);
    EXPECT_EQ(b.table().sortId(), Prop::ProjectId);
}

}  // namespace
