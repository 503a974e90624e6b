#include "reports/ChartPainter.h"

namespace {

ChartPainter* current = nullptr;

}  // namespace

const QString ChartPainter::NoPainterText = QStringLiteral("Charts cannot be drawn by this program.");

void ChartPainter::install(ChartPainter* painter)
{
    current = painter;
}

ChartPainter* ChartPainter::installed()
{
    return current;
}
