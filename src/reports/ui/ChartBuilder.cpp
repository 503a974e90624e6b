#include "reports/ui/ChartBuilder.h"

#include "platform/LocalTime.h"

#include <QBarCategoryAxis>
#include <QBarSet>
#include <QDateTime>
#include <QDateTimeAxis>
#include <QHorizontalBarSeries>
#include <QLineSeries>
#include <QPen>
#include <QPieSeries>
#include <QPieSlice>
#include <QValueAxis>

#include <algorithm>

namespace {

// The charts library draws doubles: the exact hundredths become one here, at the drawing.
double units(Money m)
{
    return static_cast<double>(m.hundredths()) / 100.0;
}

// Noon of the day, so that no clock change moves a point to another day.
qreal dayPosition(FileTime t)
{
    const LocalTime d = localFromFileTime(t);
    return static_cast<qreal>(QDateTime(QDate(d.year, d.month, d.day), QTime(12, 0)).toMSecsSinceEpoch());
}

QString titled(const QString& text, const QString& currency)
{
    return currency.isEmpty() ? text : text + QStringLiteral(" (") + currency + QLatin1Char(')');
}

QChart* newChart(const QString& title)
{
    auto* chart = new QChart();
    chart->setTitle(title);
    chart->setAnimationOptions(QChart::NoAnimation);
    chart->setBackgroundRoundness(0);
    return chart;
}

QChart* pie(const QString& title, const std::vector<ChartSlice>& slices)
{
    QChart* chart = newChart(title);
    auto* series = new QPieSeries(chart);
    for (const ChartSlice& s : slices)
        series->append(s.label, units(s.value));
    for (QPieSlice* slice : series->slices()) {
        const bool big = slice->percentage() >= ChartBuilder::MinLabelledShare;
        slice->setLabel(slice->label() + QStringLiteral(" ") +
                        QString::number(slice->percentage() * 100, 'f', 1) + QLatin1Char('%'));
        slice->setLabelVisible(big);
    }
    series->setPieSize(0.6);
    chart->addSeries(series);
    chart->legend()->hide();
    return chart;
}

QChart* bars(const ReportChart& data)
{
    QChart* chart = newChart(titled(data.title, data.currency));
    auto* inflows = new QBarSet(QStringLiteral("Inflows"));
    auto* outflows = new QBarSet(QStringLiteral("Outflows"));
    inflows->setColor(QColor(0x3a, 0x9a, 0x4a));
    outflows->setColor(QColor(0xc8, 0x3c, 0x32));
    QStringList labels;
    // Horizontal bars are laid out from the bottom up: the first row goes last.
    for (auto it = data.bars.rbegin(); it != data.bars.rend(); ++it) {
        *inflows << units(it->inflows);
        *outflows << units(it->outflows);
        labels << it->label;
    }
    auto* series = new QHorizontalBarSeries(chart);
    series->append(outflows);
    series->append(inflows);
    chart->addSeries(series);
    auto* groups = new QBarCategoryAxis(chart);
    groups->append(labels);
    chart->addAxis(groups, Qt::AlignLeft);
    series->attachAxis(groups);
    auto* values = new QValueAxis(chart);
    values->setLabelFormat(QStringLiteral("%.0f"));
    chart->addAxis(values, Qt::AlignBottom);
    series->attachAxis(values);
    values->applyNiceNumbers();
    chart->legend()->setAlignment(Qt::AlignBottom);
    return chart;
}

QLineSeries* lineOf(const std::vector<ChartPoint>& points, const QString& name, QChart* chart)
{
    QList<QPointF> xy;
    xy.reserve(static_cast<qsizetype>(points.size()));
    for (const ChartPoint& p : points)
        xy.append(QPointF(dayPosition(p.date), units(p.value)));
    auto* series = new QLineSeries(chart);
    series->setName(name);
    series->replace(xy);
    return series;
}

void fitAxes(const ReportChart& data, QDateTimeAxis* dates, QValueAxis* values)
{
    qreal first = 0, last = 0, low = 0, high = 0;
    bool any = false;
    for (const std::vector<ChartPoint>* points : {&data.points, &data.planned}) {
        for (const ChartPoint& p : *points) {
            const qreal x = dayPosition(p.date);
            const qreal y = units(p.value);
            first = any ? std::min(first, x) : x;
            last = any ? std::max(last, x) : x;
            low = any ? std::min(low, y) : y;
            high = any ? std::max(high, y) : y;
            any = true;
        }
    }
    if (!any)
        return;
    constexpr qreal Day = 24.0 * 3600 * 1000;
    dates->setRange(QDateTime::fromMSecsSinceEpoch(qint64(first)),
                    QDateTime::fromMSecsSinceEpoch(qint64(std::max(last, first + Day))));
    values->setRange(std::min(low, qreal(0)), std::max(high, qreal(0)));
    values->applyNiceNumbers();
}

QChart* line(const ReportChart& data)
{
    QChart* chart = newChart(titled(data.title, data.currency));
    auto* dates = new QDateTimeAxis(chart);
    dates->setFormat(QStringLiteral("yyyy-MM-dd"));
    dates->setTickCount(6);
    chart->addAxis(dates, Qt::AlignBottom);
    auto* values = new QValueAxis(chart);
    values->setLabelFormat(QStringLiteral("%.0f"));
    chart->addAxis(values, Qt::AlignLeft);
    std::vector<QLineSeries*> all{lineOf(data.points, QStringLiteral("Balance"), chart)};
    if (!data.planned.empty()) {
        QLineSeries* planned = lineOf(data.planned, QStringLiteral("Planned"), chart);
        QPen pen = planned->pen();
        pen.setStyle(Qt::DashLine);
        pen.setWidth(2);
        planned->setPen(pen);
        all.push_back(planned);
    }
    for (QLineSeries* series : all) {
        chart->addSeries(series);
        series->attachAxis(dates);
        series->attachAxis(values);
    }
    // The axes span both lines: left to themselves they follow the first one.
    fitAxes(data, dates, values);
    if (data.planned.empty())
        chart->legend()->hide();
    else
        chart->legend()->setAlignment(Qt::AlignBottom);
    return chart;
}

}  // namespace

std::vector<QChart*> ChartBuilder::build(const ReportChart& chart)
{
    switch (chart.kind) {
    case ChartKind::Pie:
        return {pie(titled(chart.title + QStringLiteral(": Outflows"), chart.currency), chart.outflows),
                pie(titled(chart.title + QStringLiteral(": Inflows"), chart.currency), chart.inflows)};
    case ChartKind::Bar:
        return {bars(chart)};
    case ChartKind::Line:
        break;
    }
    return {line(chart)};
}
