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
};
