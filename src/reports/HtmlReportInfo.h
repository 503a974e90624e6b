#pragma once

// What every HTML report says about itself: the title the user gave, the
// filter's period and the names of the filter's lists.

#include "reports/HtmlHead.h"
#include "store/FileTime.h"

#include <QString>

struct HtmlReportInfo {
    QString title;
    FileTime dateLow = 0;
    FileTime dateHigh = 0;
    HtmlHead::FilterNames filter;
    // The report's chart as an SVG document, shown at the end of the page;
    // empty: the page has no chart and is the classic one byte for byte.
    QString chartSvg;
};
