#include "reference/TreeFill.h"

#include "TreeTestBook.h"
#include "reference/TransferBranch.h"
#include "reference/TreeModel.h"

#include <QAbstractItemModelTester>
#include <QSignalSpy>

#include <gtest/gtest.h>

#include <algorithm>

namespace {

// "All(Auto(Fuel,Service),Taxes)": each item's text, its children in brackets.
QString render(const TreeItems& items, int parent = TreeItems::Top)
{
    QStringList parts;
    for (const int item : items.childrenOf(parent)) {
        QString text = items.at(item).text;
        if (!items.at(item).children.empty())
            text += QLatin1Char('(') + render(items, item) + QLatin1Char(')');
        parts << text;
    }
    return parts.join(QLatin1Char(','));
}

TreeRecord rec(qint32 id, qint32 parent, const char* name)
{
    return {id, parent, QString::fromUtf8(name), 0};
}

struct FillCase {
    const char* what;
    std::vector<TreeRecord> records;
    const char* sorted;
    const char* inTableOrder;
};

TEST(TreeFill, PlacesRecordsUnderTheirParents)
{
    const FillCase cases[] = {
        {"parents first",
         {rec(1, 0, "All"), rec(2, 1, "Auto"), rec(3, 2, "Fuel"), rec(4, 2, "Service")},
         "All(Auto(Fuel,Service))",
         "All(Auto(Fuel,Service))"},
        {"parents later",
         {rec(4, 2, "Service"), rec(3, 2, "Fuel"), rec(2, 1, "Auto"), rec(1, 0, "All")},
         "All(Auto(Fuel,Service))",
         "All(Auto(Service,Fuel))"},
        {"siblings ignore case when sorted",
         {rec(1, 0, "All"), rec(2, 1, "beta"), rec(3, 1, "Alpha"), rec(4, 1, "gamma"), rec(5, 1, "Delta")},
         "All(Alpha,beta,Delta,gamma)",
         "All(beta,Alpha,gamma,Delta)"},
        {"moved subtree is sorted among its new siblings",
         {rec(1, 0, "All"), rec(5, 4, "Zed"), rec(2, 1, "b"), rec(6, 4, "Amy"), rec(4, 1, "a")},
         "All(a(Amy,Zed),b)",
         "All(b,a(Zed,Amy))"},
        {"orphan stays on top with its children",
         {rec(1, 0, "All"), rec(6, 5, "Child"), rec(5, 99, "Orphan")},
         "All,Orphan(Child)",
         "All,Orphan(Child)"},
        {"second root",
         {rec(1, 0, "All"), rec(7, 0, "Other"), rec(8, 7, "Under")},
         "All,Other(Under)",
         "All,Other(Under)"},
        {"self parent", {rec(1, 0, "All"), rec(4, 4, "Self")}, "All,Self", "All,Self"},
        {"two-cycle keeps its first record on top",
         {rec(1, 0, "All"), rec(2, 3, "A"), rec(3, 2, "B")},
         "A(B),All",
         "All,A(B)"},
        {"two-cycle found from below",
         {rec(3, 2, "B"), rec(9, 3, "Tail"), rec(2, 3, "A"), rec(1, 0, "All")},
         "All,B(A,Tail)",
         "B(Tail,A),All"},
        {"three-cycle beside a healthy tree",
         {rec(1, 0, "All"), rec(2, 1, "Ok"), rec(5, 7, "X"), rec(6, 5, "Y"), rec(7, 6, "Z")},
         "All(Ok),X(Y(Z))",
         "All(Ok),X(Y(Z))"},
        {"children follow the latest earlier record of an id",
         {rec(1, 0, "All"), rec(2, 1, "First"), rec(2, 1, "Again"), rec(3, 2, "Kid")},
         "All(Again(Kid),First)",
         "All(First,Again(Kid))"},
        {"empty table", {}, "", ""},
    };
    for (const FillCase& c : cases) {
        TreeFill::Options sorted;
        sorted.sortSiblings = true;
        EXPECT_EQ(render(TreeFill::fill(c.records, sorted)), QString::fromUtf8(c.sorted)) << c.what;
        EXPECT_EQ(render(TreeFill::fill(c.records, {})), QString::fromUtf8(c.inTableOrder)) << c.what;
    }
}

TEST(TreeFill, AReversedChainIsPlacedWholeInFewPasses)
{
    std::vector<TreeRecord> records;
    const qint32 depth = 3000;
    for (qint32 id = depth; id >= 2; --id)
        records.push_back({id, id - 1, QStringLiteral("n%1").arg(id), 0});
    records.push_back(rec(1, 0, "All"));
    const TreeItems items = TreeFill::fill(records, {});
    ASSERT_EQ(items.childrenOf(TreeItems::Top).size(), 1u);
    int deepest = items.find(depth);
    int levels = 0;
    for (; deepest != TreeItems::Top; deepest = items.at(deepest).parent)
        ++levels;
    EXPECT_EQ(levels, depth);
}

TEST(TreeFill, ALongCycleEndsTheFill)
{
    std::vector<TreeRecord> records{rec(1, 0, "All")};
    for (qint32 id = 2; id <= 500; ++id)
        records.push_back({id, id == 500 ? 2 : id + 1, QStringLiteral("c%1").arg(id), 0});
    const TreeItems items = TreeFill::fill(records, {});
    EXPECT_EQ(items.size(), 500);
    EXPECT_EQ(items.childrenOf(TreeItems::Top).size(), 2u);
}

TEST(TreeFill, ItemsCarryIdBoldAndCheckState)
{
    TreeFill::Options options;
    options.bold = {3};
    const TreeItems items = TreeFill::fill({rec(1, 0, "All"), {3, 1, QStringLiteral("Kid"), 1}}, options);
    const TreeItem& kid = items.at(items.find(3));
    EXPECT_EQ(kid.data, 3);
    EXPECT_TRUE(kid.bold);
    EXPECT_EQ(kid.checkState, 1);
    EXPECT_FALSE(items.at(items.find(1)).bold);
    EXPECT_EQ(items.find(2), -1);
}

TreeItem named(qint32 data, const char* text)
{
    TreeItem item;
    item.data = data;
    item.text = QString::fromUtf8(text);
    return item;
}

TEST(TreeItems, MoveRefusesToHangAnItemInsideItself)
{
    TreeItems items;
    const int a = items.add(named(1, "a"), TreeItems::Top, TreeItems::Placement::Last);
    const int b = items.add(named(2, "b"), a, TreeItems::Placement::Last);
    const int c = items.add(named(3, "c"), b, TreeItems::Placement::Last);
    EXPECT_FALSE(items.move(a, c, TreeItems::Placement::Last));
    EXPECT_FALSE(items.move(a, a, TreeItems::Placement::Last));
    EXPECT_EQ(render(items), QStringLiteral("a(b(c))"));
    EXPECT_TRUE(items.move(c, TreeItems::Top, TreeItems::Placement::First));
    EXPECT_EQ(render(items), QStringLiteral("c,a(b)"));
    EXPECT_EQ(items.rowOf(a), 1);
}

class CategoryFillTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(b.categories.createDefaults(b.ui));
        b.addAccount(3, QStringLiteral("Checking"), 100000, QStringLiteral("USD"));
        b.addAccount(5, QStringLiteral("Euro"), -5000, QStringLiteral("EUR"));
        b.addAccount(ReservedAccount::Holder, QStringLiteral("Holder"), 777, QStringLiteral("USD"));
        valuation.toDefault = [](Money amount, const QString& code) {
            return code == QStringLiteral("EUR") ? convertHalfAwayFromZero(amount, 1.1) : amount;
        };
        valuation.symbolOf = [](const QString& code) {
            return code == QStringLiteral("USD") ? QStringLiteral("$") : QString();
        };
        valuation.defaultCode = QStringLiteral("USD");
    }

    TreeTestBook b;
    TransferBranch::Valuation valuation;
};

TEST_F(CategoryFillTest, TransfersComeFirstWithBalancesInTheDefaultCurrency)
{
    const TreeItems items = b.categories.fill(&valuation);
    const std::vector<int>& top = items.childrenOf(TreeItems::Top);
    ASSERT_EQ(top.size(), 2u);
    const TreeItem& branch = items.at(top[0]);
    EXPECT_EQ(branch.text, QStringLiteral("[Transfers] Balances: 945.00 USD"));
    EXPECT_EQ(branch.data, 0);
    EXPECT_TRUE(branch.bold);
    ASSERT_EQ(branch.children.size(), 2u);
    EXPECT_EQ(items.at(branch.children[0]).text, QStringLiteral("[Checking] $1 000.00"));
    EXPECT_EQ(items.at(branch.children[0]).data, -3);
    EXPECT_EQ(items.at(branch.children[1]).text, QStringLiteral("[Euro] -50.00"));
    EXPECT_EQ(items.at(branch.children[1]).data, -5);
    EXPECT_EQ(items.at(top[1]).text, QStringLiteral("All categories"));
}

TEST_F(CategoryFillTest, WithoutTransfersOnlyTheCategoriesShow)
{
    const TreeItems items = b.categories.fill(nullptr);
    ASSERT_EQ(items.childrenOf(TreeItems::Top).size(), 1u);
    EXPECT_EQ(items.size(), 75);
}

TEST_F(CategoryFillTest, CategoriesAreSortedAmongSiblingsAndAllExpanded)
{
    const TreeItems items = b.categories.fill(&valuation);
    const TreeItem& root = items.at(items.find(1));
    QStringList shown;
    for (const int child : root.children)
        shown << items.at(child).text;
    QStringList expected;
    for (const TreeRecord& r : b.categories.tree().records()) {
        if (r.parent == 1)
            expected << r.name;
    }
    std::stable_sort(expected.begin(), expected.end(), [](const QString& x, const QString& y) {
        return x.compare(y, Qt::CaseInsensitive) < 0;
    });
    EXPECT_EQ(shown, expected);
    EXPECT_LT(shown.indexOf(QStringLiteral("Canada Pension Plan")),
              shown.indexOf(QStringLiteral("Car & Truck")));
    EXPECT_LT(shown.indexOf(QStringLiteral("Registered Ret. Savings Plan")),
              shown.indexOf(QStringLiteral("Rent")));
    for (int i = 0; i < items.size(); ++i)
        EXPECT_TRUE(items.at(i).expanded) << items.at(i).text.toStdString();
}

TEST_F(CategoryFillTest, ModelShowsTheFillToAnyView)
{
    TreeModel model;
    QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::Fatal);
    EXPECT_TRUE(model.needsFill(b.categories.changeCount()));
    model.reset(b.categories.fill(&valuation), b.categories.changeCount(), 4);
    EXPECT_FALSE(model.needsFill(b.categories.changeCount()));

    EXPECT_EQ(model.rowCount(), 2);
    const QModelIndex fuel = model.selectedIndex();
    ASSERT_TRUE(fuel.isValid());
    EXPECT_EQ(model.data(fuel).toString(), QStringLiteral("Fuel"));
    EXPECT_EQ(model.idAt(fuel), 4);
    EXPECT_EQ(model.idAt(fuel.parent()), 3);
    EXPECT_EQ(model.idAt(fuel.parent().parent()), 1);
    EXPECT_FALSE(fuel.parent().parent().parent().isValid());
    EXPECT_EQ(model.data(model.indexOfId(-5), TreeModel::IdRole).toInt(), -5);
    EXPECT_TRUE(model.data(model.index(0, 0), TreeModel::BoldRole).toBool());
    EXPECT_TRUE(model.data(fuel, TreeModel::ExpandedRole).toBool());

    model.setSelectedId(999);
    EXPECT_EQ(model.selectedIndex(), model.index(0, 0));

    ASSERT_NE(b.categories.create(3, QStringLiteral("Oil")), 0);
    EXPECT_TRUE(model.needsFill(b.categories.changeCount()));
}

TEST(TreeModel, SetBoldTouchesOnlyRecordsThatChange)
{
    TreeTestBook b;
    ASSERT_TRUE(b.projects.ensureRoot());
    ASSERT_EQ(b.projects.create(1, QStringLiteral("Home")), 2);
    ASSERT_EQ(b.projects.create(2, QStringLiteral("Garden")), 3);
    TreeModel model;
    QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::Fatal);
    model.reset(b.projects.fill(0, {}), b.projects.changeCount(), 0);
    EXPECT_EQ(model.idAt(model.selectedIndex()), 1);
    QSignalSpy changed(&model, &QAbstractItemModel::dataChanged);
    model.setBold({3, 2});
    EXPECT_EQ(changed.count(), 2);
    EXPECT_TRUE(model.data(model.indexOfId(3), TreeModel::BoldRole).toBool());
    model.setBold({3, 2});
    EXPECT_EQ(changed.count(), 2);
    model.setBold({});
    EXPECT_EQ(changed.count(), 4);
    EXPECT_FALSE(model.data(model.indexOfId(2), TreeModel::BoldRole).toBool());
}

TEST(TreeModel, EmptyModelHasNoSelection)
{
    TreeModel model;
    QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::Fatal);
    model.reset({}, 0, 5);
    EXPECT_FALSE(model.selectedIndex().isValid());
    EXPECT_EQ(model.idAt(QModelIndex()), 0);
    EXPECT_FALSE(model.index(0, 0).isValid());
    EXPECT_FALSE(model.needsFill(0));
    EXPECT_TRUE(model.needsFill(1));
}

}  // namespace
