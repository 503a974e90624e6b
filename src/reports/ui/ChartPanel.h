#pragma once

#include "reports/ReportChart.h"

#include <QWidget>

#include <functional>
#include <vector>

class QChartView;
class QHBoxLayout;
class QPushButton;
class QToolButton;

// The chart of the shown report, below its list: a pie pair or bars for the
// categories and projects reports (the two buttons choose), the running total
// for the transaction list. It is drawn from the rows the report built and
// drawn again after every build, so it follows "Recalc" as the list does.
// "Save Chart..." writes it as a PNG or SVG file.
class ChartPanel : public QWidget {
    Q_OBJECT
public:
    static constexpr const char* PieText = "Pie";
    static constexpr const char* BarText = "Bar";
    static constexpr const char* SaveText = "Save Chart...";
    static constexpr int MinimumHeight = 300;

    // Makes the chart of the kind asked for from the report as now built.
    using Source = std::function<ReportChart(ChartKind kind)>;

    explicit ChartPanel(QWidget* parent = nullptr);

    // The report the chart is made from (`lineOnly` for the transaction
    // list); drawn at the next refresh().
    void setSource(Source source, bool lineOnly);
    // Draws the chart from the source, as after a build.
    void refresh();
    const ReportChart& chart() const { return m_chart; }
    ChartKind kind() const { return m_chart.kind; }
    void setKind(ChartKind kind);
    // The charts on screen (two for a pie pair).
    const std::vector<QChartView*>& views() const { return m_views; }
    bool saveTo(const QString& path, QString* error);

private:
    void saveAs();
    void clearViews();

    Source m_source;
    ReportChart m_chart;
    ChartKind m_groupKind = ChartKind::Pie;
    bool m_lineOnly = true;
    QToolButton* m_pie;
    QToolButton* m_bar;
    QPushButton* m_save;
    QHBoxLayout* m_charts;
    std::vector<QChartView*> m_views;
};
