#include "toolkit/ui/ColumnFit.h"

#include <QAbstractItemModel>
#include <QFont>
#include <QFontMetrics>
#include <QHeaderView>

#include <algorithm>

int ColumnFit::width(const QAbstractItemModel& model, const QHeaderView& header, int column,
                     const QFont& font)
{
    constexpr int SampledRows = 40;
    constexpr int CellMargins = 2 * 3 + 4;
    int widest = header.sectionSizeHint(column);
    QFont bold = font;
    bold.setBold(true);
    const QFontMetrics metrics(bold);
    const int rows = model.rowCount();
    const auto measure = [&](int row) {
        const QString text = model.data(model.index(row, column)).toString();
        widest = std::max(widest, metrics.horizontalAdvance(text) + CellMargins);
    };
    for (int row = 0; row < std::min(rows, SampledRows); ++row)
        measure(row);
    for (int row = std::max(SampledRows, rows - SampledRows); row < rows; ++row)
        measure(row);
    return widest;
}
