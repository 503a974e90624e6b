#pragma once

// What a written report says about itself before its rows: the title the user
// gave, the filter's period and the names in the filter's lists. Read from the
// session's filter when the file is written.

#include "reports/HtmlReportInfo.h"

struct ReportContext;

namespace ReportHeading {

HtmlReportInfo of(const ReportContext& context, const QString& title);

}  // namespace ReportHeading
