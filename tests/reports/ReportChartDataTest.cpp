#include "reports/ReportChartData.h"

#include <gtest/gtest.h>

namespace {

GroupRow row(const QString& label, qint64 deposits, qint64 payments, bool counted = true)
{
    GroupRow r;
    r.label = label;
    r.currency = QStringLiteral("USD");
    r.deposits = Money::fromHundredths(deposits);
    r.payments = Money::fromHundredths(payments);
    r.counted = counted;
    return r;
}

// A categories report as the engine leaves it: the totals count only the
// counted rows; the transfer row and the row without category are not.
GroupReport sampleReport()
{
    GroupReport report;
    report.currency = QStringLiteral("USD");
    report.rows = {row(QStringLiteral("Food"), 0, 12050),
                   row(QStringLiteral("Salary"), 300000, 0),
                   row(QStringLiteral("[Savings]"), 50000, 70000, false),
                   row(QStringLiteral("Gifts"), 2500, 1999),
                   row(QStringLiteral("(none)"), 0, 800, false),
                   row(QStringLiteral("Empty"), 0, 0)};
    for (const GroupRow& r : report.rows) {
        if (r.counted)
            report.totals.addConverted(r.deposits - r.payments);
    }
    report.totals.deposits = Money::fromHundredths(302500);
    report.totals.payments = Money::fromHundredths(14049);
    return report;
}

template <typename Parts> qint64 sum(const Parts& parts)
{
    qint64 total = 0;
    for (const auto& p : parts)
        total += p.value.hundredths();
    return total;
}

TEST(ReportChartDataTest, PiesShareTheCountedRowsAndAddUpToTheReportTotals)
{
    const GroupReport report = sampleReport();
    const ReportChart pie = ReportChartData::pie(report, QStringLiteral("List Categories"));
    EXPECT_EQ(pie.kind, ChartKind::Pie);
    EXPECT_EQ(pie.currency, QStringLiteral("USD"));
    ASSERT_EQ(pie.outflows.size(), 2u);
    EXPECT_EQ(pie.outflows[0].label, QStringLiteral("Food"));
    EXPECT_EQ(pie.outflows[0].value, Money::fromHundredths(12050));
    EXPECT_EQ(pie.outflows[1].label, QStringLiteral("Gifts"));
    ASSERT_EQ(pie.inflows.size(), 2u);
    EXPECT_EQ(pie.inflows[0].label, QStringLiteral("Salary"));
    EXPECT_EQ(pie.inflows[1].value, Money::fromHundredths(2500));
    // Transfers, rows without category and zero rows have no slice.
    EXPECT_EQ(sum(pie.outflows), report.totals.payments.hundredths());
    EXPECT_EQ(sum(pie.inflows), report.totals.deposits.hundredths());
}

TEST(ReportChartDataTest, BarsKeepTheRowOrderAndBothSidesOfEachGroup)
{
    const ReportChart bar = ReportChartData::bar(sampleReport(), QStringLiteral("T"));
    EXPECT_EQ(bar.kind, ChartKind::Bar);
    ASSERT_EQ(bar.bars.size(), 3u);
    EXPECT_EQ(bar.bars[0].label, QStringLiteral("Food"));
    EXPECT_EQ(bar.bars[2].label, QStringLiteral("Gifts"));
    EXPECT_EQ(bar.bars[2].inflows, Money::fromHundredths(2500));
    EXPECT_EQ(bar.bars[2].outflows, Money::fromHundredths(1999));
    EXPECT_TRUE(ReportChartData::bar(GroupReport(), QStringLiteral("T")).isEmpty());
}

TEST(ReportChartDataTest, TheLineRunsInDateOrderWhateverTheListsSort)
{
    // Sorted by amount, as the list may be: dates out of order, two on one day.
    const std::vector<ListRow> rows = {{11, 300, Money::fromHundredths(-500), {}},
                                       {12, 100, Money::fromHundredths(10000), {}},
                                       {13, 300, Money::fromHundredths(-2000), {}},
                                       {14, 200, Money::fromHundredths(250), {}}};
    const ReportChart line = ReportChartData::line(rows, QStringLiteral("EUR"), QStringLiteral("T"));
    EXPECT_EQ(line.kind, ChartKind::Line);
    EXPECT_EQ(line.currency, QStringLiteral("EUR"));
    ASSERT_EQ(line.points.size(), 4u);
    const std::vector<std::pair<FileTime, qint64>> expected = {
        {100, 10000}, {200, 10250}, {300, 9750}, {300, 7750}};
    for (size_t i = 0; i < expected.size(); ++i) {
        EXPECT_EQ(line.points[i].date, expected[i].first) << i;
        EXPECT_EQ(line.points[i].value.hundredths(), expected[i].second) << i;
    }
    EXPECT_TRUE(ReportChartData::line({}, QStringLiteral("USD"), QStringLiteral("T")).points.empty());
}

TEST(ReportChartDataTest, TheRunningTotalSaturatesInsteadOfWrapping)
{
    const qint64 max = std::numeric_limits<qint64>::max();
    const std::vector<ListRow> rows = {{1, 1, Money::fromHundredths(max), {}},
                                       {2, 2, Money::fromHundredths(1), {}}};
    const ReportChart line = ReportChartData::line(rows, QStringLiteral("USD"), QStringLiteral("T"));
    EXPECT_EQ(line.points.back().value.hundredths(), max);
}

}  // namespace
