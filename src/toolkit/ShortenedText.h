#pragma once

// The list's default text drawing: a text wider than its cell (less a 3-pixel
// margin) is cut to the longest prefix that still fits with "..." after it;
// when even "..." does not fit, at most the first 4 characters are kept.
// Widths come from a callback, so the rule holds for any font.

#include <QString>

#include <functional>

class ShortenedText {
public:
    using Measure = std::function<int(const QString&)>;

    static constexpr int Margin = 3;        // pixels the text leaves free in a cell
    static constexpr int LeftInset = 1;     // a left-aligned text starts this far in
    static constexpr int RightInset = 3;    // a right-aligned text ends this far before the edge
    static constexpr int ShortestKept = 4;  // characters kept when "..." does not fit

    static QString fit(const QString& text, int cellWidth, const Measure& width);
};
