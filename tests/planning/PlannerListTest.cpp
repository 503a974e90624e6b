#include "planning/PlannerList.h"

#include "PlannerTestBook.h"
#include "planning/RecurrenceRule.h"

namespace {

class PlannerListTest : public ::testing::Test {
protected:
    PlannerList list() { return PlannerList(b.tables(), b.currencies, b.locale); }

    PlannerTestBook b;
};

TEST_F(PlannerListTest, AnEmptyTableShowsOnlyTheNewRow)
{
    PlannerList l = list();
    ASSERT_TRUE(l.reload());
    EXPECT_EQ(l.rowCount(), 1);
    EXPECT_TRUE(l.isNewRow(0));
    EXPECT_FALSE(l.entry(0));
    const PlannerCells cells = l.cells(0, at(2024, 3, 5, 10));
    EXPECT_EQ(cells.description, QStringLiteral("<_New_Time_Table_>"));
    EXPECT_EQ(cells.starts, QStringLiteral("Tue, 3/5/2024"));
    EXPECT_EQ(cells.icon, PlannerCells::Icon::None);
    EXPECT_EQ(cells.amount, QString());
    EXPECT_TRUE(cells.style.band);
}

TEST_F(PlannerListTest, PlansComeInIdOrderBeforeTheNewRow)
{
    // Written out of order; the list follows the ids.
    b.addPlan(RawPlan{.id = 12, .description = QStringLiteral("twelve")});
    b.addPlan(RawPlan{.id = 2, .description = QStringLiteral("two")});
    b.addPlan(RawPlan{.id = 7, .description = QStringLiteral("seven")});
    PlannerList l = list();
    ASSERT_TRUE(l.reload());
    ASSERT_EQ(l.rowCount(), 4);
    EXPECT_EQ(l.entry(0)->id, 2);
    EXPECT_EQ(l.entry(1)->id, 7);
    EXPECT_EQ(l.entry(2)->id, 12);
    EXPECT_TRUE(l.isNewRow(3));
    EXPECT_EQ(l.rowOf(7), 1);
    EXPECT_FALSE(l.rowOf(3));
    EXPECT_FALSE(l.entry(-1));
    EXPECT_FALSE(l.entry(4));
    // Rows 0 and 2 take the band colour, 1 and 3 do not.
    const FileTime today = b.now();
    EXPECT_TRUE(l.cells(0, today).style.band);
    EXPECT_FALSE(l.cells(1, today).style.band);
    EXPECT_TRUE(l.cells(2, today).style.band);
    EXPECT_FALSE(l.cells(3, today).style.band);
    EXPECT_EQ(l.cells(4, today).description, QString());
}

TEST_F(PlannerListTest, CellsOfAPlan)
{
    b.addPlan(
        RawPlan{.id = 1, .next = at(2024, 3, 10, 9), .amount = -123456, .currency = QStringLiteral("EUR")});
    b.addPlan(RawPlan{.id = 2, .amount = 500});
    PlannerList l = list();
    ASSERT_TRUE(l.reload());
    const PlannerCells payment = l.cells(0, b.now());
    // "Starts" is the next open date, not the start date.
    EXPECT_EQ(payment.starts, QStringLiteral("Sun, 3/10/2024"));
    EXPECT_EQ(payment.text(PlannerColumn::Starts), payment.starts);
    EXPECT_EQ(payment.text(PlannerColumn::Description), QStringLiteral("Rent"));
    EXPECT_EQ(payment.text(PlannerColumn::Amount), QStringLiteral("eu-1 234.56"));
    EXPECT_EQ(payment.text(PlannerColumn::Icon), QString());
    EXPECT_EQ(l.cells(1, b.now()).amount, QStringLiteral("$5.00"));
}

TEST_F(PlannerListTest, IconTellsStoppedSingleAndRepeatingPlans)
{
    using Icon = PlannerCells::Icon;
    const std::vector<std::pair<RawPlan, Icon>> cases = {
        {RawPlan{.id = 1, .rule = RecurrenceRule::OnlyOnce, .entries = 1}, Icon::Single},
        {RawPlan{.id = 2, .entries = 1}, Icon::Single},
        {RawPlan{.id = 3, .entries = 2}, Icon::Repeating},
        {RawPlan{.id = 4, .entries = RecurrenceRule::Ongoing}, Icon::Repeating},
        {RawPlan{.id = 5, .entries = 1, .stopped = true}, Icon::Stopped},
        {RawPlan{.id = 6, .entries = RecurrenceRule::Ongoing, .stopped = true}, Icon::Stopped},
    };
    for (const auto& [plan, icon] : cases)
        b.addPlan(plan);
    PlannerList l = list();
    ASSERT_TRUE(l.reload());
    for (size_t i = 0; i < cases.size(); ++i)
        EXPECT_EQ(l.cells(static_cast<qint64>(i), b.now()).icon, cases[i].second) << i;
}

}  // namespace
