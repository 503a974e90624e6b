#include "shell/ui/BalanceHistoryWindow.h"

#include <QChartView>
#include <QDateTime>
#include <QDateTimeAxis>
#include <QLineSeries>

#include <gtest/gtest.h>

namespace {

TEST(BalanceHistoryWindowTest, ThePlanIsADashedContinuationAndTheAxesReachTheHorizon)
{
    BalanceHistory history;
    history.account = QStringLiteral("Checking");
    history.currency = QStringLiteral("USD");
    const FileTime day = FileTime(24) * 3600 * 10'000'000;
    const FileTime start = *fileTimeFromLocal(LocalTime{2024, 3, 1});
    history.actual = {{start, Money::fromHundredths(10000)}, {start + day, Money::fromHundredths(-2500)}};
    history.planned = {history.actual.back(), {start + 40 * day, Money::fromHundredths(350000)}};
    BalanceHistoryWindow window(history);
    const QList<QChartView*> views = window.findChildren<QChartView*>();
    ASSERT_EQ(views.size(), 1);
    QChart* chart = views.front()->chart();
    EXPECT_EQ(chart->title(), QStringLiteral("Checking (USD)"));
    const QList<QAbstractSeries*> series = chart->series();
    ASSERT_EQ(series.size(), 2);
    auto* balance = qobject_cast<QLineSeries*>(series[0]);
    auto* planned = qobject_cast<QLineSeries*>(series[1]);
    ASSERT_TRUE(balance && planned);
    EXPECT_EQ(balance->pen().style(), Qt::SolidLine);
    EXPECT_EQ(planned->pen().style(), Qt::DashLine);
    EXPECT_EQ(balance->count(), 2);
    EXPECT_EQ(planned->at(0), balance->at(1)) << "the plan starts where the balance ends";
    EXPECT_DOUBLE_EQ(planned->at(1).y(), 3500.0);
    auto* dates = qobject_cast<QDateTimeAxis*>(chart->axes(Qt::Horizontal).value(0));
    ASSERT_NE(dates, nullptr);
    EXPECT_EQ(dates->max().date(), QDate(2024, 4, 10));
    EXPECT_EQ(dates->min().date(), QDate(2024, 3, 1));
}

}  // namespace
