#pragma once

#include "toolkit/RowStyle.h"

#include <QColor>
#include <QFont>
#include <QVariant>

// What a row style means for a model's roles: the text colour of its tone (or
// the negative colour for the cell that shows a value below zero), the band
// colour of even rows, and the font of its tone (the new row italic, a due
// row bold). Every list model answers its colour and font roles through this.
class RowStyleRoles {
public:
    static QColor color(Rgb rgb) { return QColor(rgb.red, rgb.green, rgb.blue); }

    // `negativeCell`: this cell is the one the style's `negative` colours.
    static QVariant foreground(const RowStyle& style, const RowPalette& palette, bool negativeCell);
    static QVariant background(const RowStyle& style, const RowPalette& palette);
    static QVariant font(const RowStyle& style, const QFont& base);
};
