#pragma once

// Draws a report's chart off screen: into an image, an SVG document, or a
// file of either, written beside the target and renamed into place. Needs
// the application object of the widgets (the charts are graphics widgets);
// the report program installs one at start, tallyra-cli when a command asks
// for a chart.

#include "reports/ChartPainter.h"

#include <QImage>
#include <QSize>

class QPainter;

class ChartRenderer : public ChartPainter {
public:
    // The size a chart file is drawn at; a pie pair is twice as wide.
    static constexpr int Width = 900;
    static constexpr int Height = 560;

    static QSize sizeOf(const ReportChart& chart);
    static void paint(QPainter& painter, const ReportChart& chart, QSize size);
    static QImage image(const ReportChart& chart);

    bool saveFile(const ReportChart& chart, const QString& path, Image image, QString* error) override;
    QByteArray svg(const ReportChart& chart) override;
};
