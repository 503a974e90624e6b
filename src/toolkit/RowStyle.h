#pragma once

// How a list row is drawn, the same value for every list of both programs, so
// one delegate paints them all. The colours are each list's own (RowPalette).

struct Rgb {
    int red = 0;
    int green = 0;
    int blue = 0;
    friend bool operator==(const Rgb&, const Rgb&) = default;
};

struct RowStyle {
    // NewRow: the row that starts a new record, in its own colour and font.
    // Due: a future-list row dated by the end of today; PlannedLater: one
    // dated after today.
    enum class Tone { Normal, NewRow, Due, PlannedLater };

    Tone tone = Tone::Normal;
    bool band = false;      // even rows take the list's band colour
    bool negative = false;  // the row's balance or amount is below zero: that cell in red
    bool bold = false;
    friend bool operator==(const RowStyle&, const RowStyle&) = default;
};

// The colours a list gives the tones; a list without bands has none.
struct RowPalette {
    bool banded = false;
    Rgb band;
    Rgb newRow;
    Rgb due;
    Rgb plannedLater;
    Rgb negative{255, 0, 0};
};
