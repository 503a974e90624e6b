#pragma once

// Draws a report's chart into a file or into SVG text. Drawing needs the
// window system's painting and the charts library, which logic does not
// link: a program that can paint installs its painter at start (the report
// program always, tallyra-cli when a command asks for a chart) and logic
// finds it here. Without one, a chart cannot be written and says so.

#include "reports/ReportChart.h"

#include <QByteArray>
#include <QString>

class ChartPainter {
public:
    enum class Image { Png, Svg };

    virtual ~ChartPainter() = default;

    // Written beside the target and renamed into place; false with *error
    // filled when nothing was written.
    virtual bool saveFile(const ReportChart& chart, const QString& path, Image image, QString* error) = 0;
    // The chart as a complete SVG document.
    virtual QByteArray svg(const ReportChart& chart) = 0;

    // The painter stays owned by the caller and installed until replaced.
    static void install(ChartPainter* painter);
    static ChartPainter* installed();

    static const QString NoPainterText;
};
