#include "toolkit/ui/RowStyleRoles.h"

QVariant RowStyleRoles::foreground(const RowStyle& style, const RowPalette& palette, bool negativeCell)
{
    switch (style.tone) {
    case RowStyle::Tone::NewRow:
        return color(palette.newRow);
    case RowStyle::Tone::Due:
        return color(palette.due);
    case RowStyle::Tone::PlannedLater:
        return color(palette.plannedLater);
    case RowStyle::Tone::Normal:
        break;
    }
    if (style.negative && negativeCell)
        return color(palette.negative);
    return {};
}

QVariant RowStyleRoles::background(const RowStyle& style, const RowPalette& palette)
{
    if (palette.banded && style.band)
        return color(palette.band);
    return {};
}

QVariant RowStyleRoles::font(const RowStyle& style, const QFont& base)
{
    QFont f = base;
    f.setItalic(style.tone == RowStyle::Tone::NewRow);
    f.setBold(style.bold || style.tone == RowStyle::Tone::Due);
    return f;
}
