#include "reports/ReportChartData.h"

#include <algorithm>
#include <numeric>

namespace {

ReportChart chartOf(ChartKind kind, const QString& title, const QString& currency)
{
    ReportChart chart;
    chart.kind = kind;
    chart.title = title;
    chart.currency = currency;
    return chart;
}

}  // namespace

ReportChart ReportChartData::pie(const GroupReport& report, const QString& title)
{
    ReportChart chart = chartOf(ChartKind::Pie, title, report.currency);
    for (const GroupRow& row : report.rows) {
        if (!row.counted)
            continue;
        if (!row.payments.isZero())
            chart.outflows.push_back({row.label, row.payments});
        if (!row.deposits.isZero())
            chart.inflows.push_back({row.label, row.deposits});
    }
    return chart;
}

ReportChart ReportChartData::bar(const GroupReport& report, const QString& title)
{
    ReportChart chart = chartOf(ChartKind::Bar, title, report.currency);
    for (const GroupRow& row : report.rows) {
        if (row.counted && (!row.deposits.isZero() || !row.payments.isZero()))
            chart.bars.push_back({row.label, row.deposits, row.payments});
    }
    return chart;
}

ReportChart ReportChartData::line(const std::vector<ListRow>& rows, const QString& currency,
                                  const QString& title)
{
    ReportChart chart = chartOf(ChartKind::Line, title, currency);
    // The list may be sorted by any column: walk it in date order through an
    // index, stable so that one day's transactions keep their order.
    std::vector<size_t> order(rows.size());
    std::iota(order.begin(), order.end(), size_t(0));
    std::stable_sort(order.begin(), order.end(),
                     [&rows](size_t a, size_t b) { return rows[a].date < rows[b].date; });
    chart.points.reserve(rows.size());
    Money total;
    for (const size_t i : order) {
        total += rows[i].converted;
        chart.points.push_back({rows[i].date, total});
    }
    return chart;
}

ChartKind ReportChartData::firstChart(ReportKind kind)
{
    return kind == ReportKind::TransactionList ? ChartKind::Line : ChartKind::Pie;
}
