#pragma once

// Lays a built report view out as a ReportSheet: the same rows and totals the
// view shows, never a second computation. The sheet borrows the view, which
// must outlive it and stay unchanged while it is written.

#include "reports/ReportSheet.h"

class GroupReportTable;
class TransactionListTable;

namespace ReportSheetSource {

ReportSheet of(const GroupReportTable& view, const QString& title);
ReportSheet of(const TransactionListTable& view, const QString& title);

}  // namespace ReportSheetSource
