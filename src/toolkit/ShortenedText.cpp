#include "toolkit/ShortenedText.h"

#include <algorithm>

namespace {

const QString Dots = QStringLiteral("...");

}  // namespace

// The first guess scales the length by the share of the width that is left;
// a proportional font makes it a guess, so it is walked one character at a
// time to the longest prefix that fits.
QString ShortenedText::fit(const QString& text, int cellWidth, const Measure& width)
{
    const int available = cellWidth - Margin;
    const int textWidth = width(text);
    if (textWidth <= available)
        return text;
    const int dotsWidth = width(Dots);
    if (dotsWidth > available)
        return text.left(ShortestKept);
    const qint64 length = text.size();
    qint64 kept = textWidth > 0 ? static_cast<qint64>(available - dotsWidth) * length / textWidth : 0;
    kept = std::clamp<qint64>(kept, 0, length);
    const auto fits = [&](qint64 n) { return width(text.left(n) + Dots) <= available; };
    while (kept > 0 && !fits(kept))
        --kept;
    while (kept < length && fits(kept + 1))
        ++kept;
    return text.left(kept) + Dots;
}
