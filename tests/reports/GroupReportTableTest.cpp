#include "reports/GroupReportTable.h"

#include "ReportEngineBook.h"

#include "reports/GroupAccumulator.h"

namespace {

Money m(qint64 hundredths)
{
    return Money::fromHundredths(hundredths);
}

class GroupReportTableTest : public ReportEngineBook {
protected:
    GroupReportTable categories{ReportKind::Categories, context};
    GroupReportTable projects{ReportKind::Projects, context};

    const GroupRow* rowWithKey(const GroupReportTable& view, qint32 key)
    {
        for (const GroupRow& r : view.report().rows) {
            if (r.key == key)
                return &r;
        }
        return nullptr;
    }
    QList<qint32> keys(const GroupReportTable& view)
    {
        QList<qint32> out;
        for (const GroupRow& r : view.report().rows)
            out << r.key;
        return out;
    }
    static QStringList texts(const PopupLines& popup) { return popup.printed(); }
};

TEST_F(GroupReportTableTest, AnEmptyBookGivesAnEmptyReportWithSumZero)
{
    EXPECT_TRUE(categories.build());
    EXPECT_TRUE(categories.isEmpty());
    EXPECT_EQ(categories.sumText(), QStringLiteral("0.00"));
    EXPECT_EQ(GroupReportTable::EmptyText, QStringLiteral("Report Empty"));
    EXPECT_EQ(categories.cellText(0, 1), QString());
    EXPECT_EQ(categories.iconOf(0), 0);
}

TEST_F(GroupReportTableTest, TransfersGetOneUncountedRowPerOwnAccount)
{
    add(Cash, -5000, -Euro);
    add(Euro, 3333, -Cash);
    add(Cash, -100, -Euro);
    ASSERT_TRUE(categories.build());
    ASSERT_EQ(categories.rowCount(), 2);
    const GroupRow* cash = rowWithKey(categories, -Cash);
    const GroupRow* euro = rowWithKey(categories, -Euro);
    ASSERT_TRUE(cash && euro);
    EXPECT_EQ(cash->label, QStringLiteral("[Cash]"));
    EXPECT_EQ(euro->label, QStringLiteral("[Euro Bank]"));
    EXPECT_FALSE(cash->counted);
    EXPECT_EQ(cash->payments, m(5100));
    // A transfer row stays in its own currency: no conversion.
    EXPECT_EQ(euro->currency, QStringLiteral("EUR"));
    EXPECT_EQ(euro->deposits, m(3333));
    EXPECT_EQ(categories.report().totals.net, m(0));
    EXPECT_EQ(categories.sumText(), QStringLiteral("0.00"));
    EXPECT_EQ(categories.iconOf(0), 1);
}

TEST_F(GroupReportTableTest, ForeignAmountsAreConvertedPerTransactionAndKeptUnconvertedPerCurrency)
{
    add(Euro, 1000, Food);
    add(Euro, 1000, Food);
    ASSERT_TRUE(categories.build());
    const GroupRow* food = rowWithKey(categories, Food);
    ASSERT_TRUE(food);
    EXPECT_EQ(food->deposits, m(3000));
    EXPECT_EQ(food->currency, QStringLiteral("USD"));
    const int eur = cache.indexOf(u"EUR");
    EXPECT_EQ(food->currencyDeposits[static_cast<size_t>(eur)], m(2000));
    EXPECT_EQ(categories.report().totals.perCurrency[static_cast<size_t>(eur)].deposits, m(2000));
    EXPECT_EQ(categories.report().totals.deposits, m(3000));
}

TEST_F(GroupReportTableTest, HalfAHundredthRoundsAwayFromZero)
{
    ASSERT_TRUE(cache.storeRate(QStringLiteral("EUR"), QStringLiteral("USD"), 0.5));
    add(Euro, -1, Food);
    add(Euro, 1, Salary);
    ASSERT_TRUE(categories.build());
    EXPECT_EQ(rowWithKey(categories, Food)->payments, m(1));
    EXPECT_EQ(rowWithKey(categories, Salary)->deposits, m(1));
    EXPECT_EQ(categories.report().totals.net, m(0));
    EXPECT_EQ(categories.report().totals.payments, m(1));
}

TEST_F(GroupReportTableTest, UncategorisedTransactionsAreConvertedButNotCounted)
{
    add(Euro, -200);
    add(Cash, 700, Salary);
    ASSERT_TRUE(categories.build());
    const GroupRow* none = rowWithKey(categories, 0);
    ASSERT_TRUE(none);
    EXPECT_EQ(none->label, GroupAccumulator::WithoutCategoryLabel);
    EXPECT_EQ(none->label, QStringLiteral("[ Transactions without category ]"));
    EXPECT_EQ(none->payments, m(300));
    EXPECT_EQ(none->currency, QStringLiteral("USD"));
    EXPECT_FALSE(none->counted);
    EXPECT_EQ(categories.report().totals.net, m(700));
    EXPECT_EQ(categories.report().totals.perCurrency[static_cast<size_t>(cache.indexOf(u"EUR"))].payments,
              m(0));
}

TEST_F(GroupReportTableTest, CategoryRowsAreLabelledWithTheirPath)
{
    add(Cash, -250, Bread);
    ASSERT_TRUE(categories.build());
    EXPECT_EQ(categories.cellText(0, 1), QStringLiteral("Food:Bread"));
    EXPECT_EQ(categories.fullName(0), QStringLiteral("Food:Bread"));
    EXPECT_EQ(categories.cellText(0, 2), QStringLiteral("0.00"));
    EXPECT_EQ(categories.cellText(0, 3), QStringLiteral("2.50"));
    EXPECT_EQ(categories.cellText(0, 4), QStringLiteral("-2.50"));
    EXPECT_EQ(categories.cellText(0, 0), QString());
    EXPECT_EQ(categories.cellText(0, 5), QString());
    EXPECT_EQ(categories.iconOf(0), 2);
}

TEST_F(GroupReportTableTest, ProjectsTakeOnlyTransactionsWithAProject)
{
    add(Cash, -100, Food, Garden);
    add(Cash, -900, Food);
    add(Euro, 200, -Cash, Home);
    ASSERT_TRUE(projects.build());
    EXPECT_EQ(projects.rowCount(), 2);
    EXPECT_EQ(rowWithKey(projects, Garden)->label, QStringLiteral("Home:Garden"));
    const GroupRow* home = rowWithKey(projects, Home);
    ASSERT_TRUE(home);
    // A transfer with a project counts there, converted like any other.
    EXPECT_TRUE(home->counted);
    EXPECT_EQ(home->deposits, m(300));
    EXPECT_EQ(projects.report().totals.net, m(200));
}

TEST_F(GroupReportTableTest, ACurrencyMissingFromTheListCountsAtRateOne)
{
    TransactionSpec s;
    s.account = Cash;
    s.date = at(2003, 12, 5);
    s.amount = -1234;
    s.currency = QStringLiteral("XAU");
    s.category = Food;
    rb.addTransaction(s);
    ASSERT_TRUE(categories.build());
    const GroupRow* food = rowWithKey(categories, Food);
    ASSERT_TRUE(food);
    EXPECT_EQ(food->payments, m(1234));
    EXPECT_EQ(categories.report().totals.net, m(-1234));
    for (size_t i = 0; i < food->currencyPayments.size(); ++i)
        EXPECT_TRUE(food->currencyPayments[i].isZero());
    EXPECT_EQ(texts(categories.popup(0)).last(), QStringLiteral("Total in :\t<Empty>"));
}

struct SortCase {
    int column;
    bool descending;
    QList<qint32> keys;
};

TEST_F(GroupReportTableTest, EachColumnSortsBothWays)
{
    add(Cash, 500, Food);                      // Food: +5.00
    add(Cash, -800, Bread);                    // Food:Bread: -8.00
    add(Cash, 300, Salary);                    // Salary: +3.00
    add(Cash, -100, Salary, 0, QString(), 1);  // Salary total +2.00
    const SortCase cases[] = {
        {1, false, {Food, Bread, Salary}},
        {1, true, {Salary, Bread, Food}},
        {2, false, {Bread, Salary, Food}},
        {2, true, {Food, Salary, Bread}},
        // The larger payment is the smaller value of the column.
        {3, false, {Bread, Salary, Food}},
        {3, true, {Food, Salary, Bread}},
        {4, false, {Bread, Salary, Food}},
        {4, true, {Food, Salary, Bread}},
    };
    for (const SortCase& c : cases) {
        ReportSort sort;
        sort.column = c.column;
        sort.descending = c.descending;
        categories.setSort(sort);
        EXPECT_EQ(keys(categories), c.keys) << "column " << c.column << (c.descending ? " desc" : " asc");
    }
}

TEST_F(GroupReportTableTest, TotalDescendingPutsNegativeTotalsLast)
{
    add(Cash, -100000, Food);
    add(Cash, 1, Bread);
    add(Cash, 99999999999, Salary);
    ReportSort sort{4, true};
    categories.setSort(sort);
    EXPECT_EQ(keys(categories), (QList<qint32>{Salary, Bread, Food}));
}

TEST_F(GroupReportTableTest, TappingAHeaderPicksAscendingThenTurnsTheDirection)
{
    EXPECT_TRUE(categories.tapHeader(3));
    EXPECT_EQ(categories.sort().column, 3);
    EXPECT_FALSE(categories.sort().descending);
    EXPECT_TRUE(categories.tapHeader(3));
    EXPECT_TRUE(categories.sort().descending);
    EXPECT_TRUE(categories.tapHeader(1));
    EXPECT_FALSE(categories.sort().descending);
    for (const int bad : {0, 5, -1}) {
        EXPECT_FALSE(categories.tapHeader(bad));
        EXPECT_EQ(categories.sort().column, 1);
    }
}

TEST_F(GroupReportTableTest, StopKeepsTheRowsMetSoFar)
{
    for (int i = 0; i < 20; ++i)
        add(Cash, 100, i < 2 ? Food : Salary, 0, QString(), i);
    ui.stopAfterSteps(1);
    EXPECT_FALSE(categories.build());
    EXPECT_TRUE(categories.report().stopped);
    ASSERT_EQ(categories.rowCount(), 1);
    EXPECT_EQ(categories.report().rows[0].deposits, m(200));
    EXPECT_EQ(categories.report().totals.net, m(200));
    EXPECT_EQ(ui.progressLabels.first(), QStringLiteral("Calculation Report"));
    EXPECT_EQ(ui.progressSteps, 10);
}

TEST_F(GroupReportTableTest, AFilterChangeAfterTheBuildAsksForRecalcAndLeavesTheRows)
{
    add(Cash, 100, Food);
    ASSERT_TRUE(categories.build());
    EXPECT_FALSE(categories.needsRecalc());
    filter.setText(ReportFilter::TextField::Description, QStringLiteral("nothing"));
    EXPECT_TRUE(categories.needsRecalc());
    EXPECT_EQ(categories.rowCount(), 1);
    categories.build();
    EXPECT_EQ(categories.rowCount(), 0);
    EXPECT_FALSE(categories.needsRecalc());
}

TEST_F(GroupReportTableTest, PopupGivesSharesAndPerCurrencyParts)
{
    add(Cash, 1000, Salary);
    add(Euro, 2000, Food);  // 30.00 USD
    add(Cash, -500, Food);
    ASSERT_TRUE(categories.build());
    qint64 food = 0;
    while (categories.report().rows[static_cast<size_t>(food)].key != Food)
        ++food;
    EXPECT_EQ(texts(categories.popup(food)), (QStringList{
                                                 QStringLiteral("Category:\tFood"),
                                                 QStringLiteral("Report :\t12/5/2003  through  12/5/2003"),
                                                 QStringLiteral("% total inflows:\t75.00%"),
                                                 QStringLiteral("% total outflows:\t100.00%"),
                                                 QStringLiteral("-"),
                                                 QStringLiteral("Deposit in  USD:\t0.00"),
                                                 QStringLiteral("Payment in USD:\t5.00"),
                                                 QStringLiteral("Total in USD:\t-5.00"),
                                                 QStringLiteral("-"),
                                                 QStringLiteral("Deposit in  EUR:\t20.00"),
                                                 QStringLiteral("Payment in EUR:\t0.00"),
                                                 QStringLiteral("Total in EUR:\t20.00"),
                                                 QStringLiteral("-"),
                                             }));
}

TEST_F(GroupReportTableTest, PopupLeavesOutTheShareOfASideWithoutMoney)
{
    add(Cash, -500, Food);
    ASSERT_TRUE(categories.build());
    const QStringList lines = texts(categories.popup(0));
    EXPECT_TRUE(lines.contains(QStringLiteral("% total outflows:\t100.00%")));
    EXPECT_FALSE(lines.join(u'|').contains(QStringLiteral("inflows")));
}

TEST_F(GroupReportTableTest, RowsWithoutOwnCategoryHaveNoPopup)
{
    add(Cash, -500);
    add(Cash, -500, -Euro);
    ASSERT_TRUE(categories.build());
    EXPECT_TRUE(categories.popup(0).empty());
    EXPECT_TRUE(categories.popup(1).empty());
    EXPECT_TRUE(categories.popup(7).empty());
}

struct ShareCase {
    qint64 value;
    qint64 whole;
    std::optional<QString> text;
};

TEST(GroupReportTableShare, ShareOfATotalIsRoundedToHundredthsOfAPercent)
{
    const ShareCase cases[] = {
        {1, 3, QStringLiteral("33.33")},
        {2, 3, QStringLiteral("66.67")},
        {5, 5, QStringLiteral("100.00")},
        {0, 5, QStringLiteral("0.00")},
        {5, 0, std::nullopt},
        {0, 0, std::nullopt},
        {std::numeric_limits<qint64>::max(), 1, QStringLiteral("1000000000000.00")},
    };
    for (const ShareCase& c : cases)
        EXPECT_EQ(GroupReportTable::shareText(m(c.value), m(c.whole)), c.text) << c.value << "/" << c.whole;
}

}  // namespace
