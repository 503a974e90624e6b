#pragma once

class QAbstractItemModel;
class QFont;
class QHeaderView;

// The width a list column needs in the desktop's font: its heading, and the
// cells of the rows at both ends of the list in bold (the widest style a row
// uses), so dates, numbers and amounts are never cut. Only the ends are
// sampled, so a list of a million rows costs the same as one of eighty.
namespace ColumnFit {

int width(const QAbstractItemModel& model, const QHeaderView& header, int column, const QFont& font);

}  // namespace ColumnFit
