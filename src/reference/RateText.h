#pragma once

// The text form of exchange rates, in the currency records and in the rate
// edits: "%.5f" with '.' as the decimal separator, whatever the locale.

#include <QString>
#include <QStringView>

#include <optional>

QString rateText(double rate);

// A rate that may be stored or used: finite, above zero and with a finite
// reciprocal (the reverse direction is stored too). A rate of 0 would make
// every conversion vanish and its reverse infinite; a negative one flips signs.
bool isUsableRate(double rate);

// A stored rate text read by the lenient number rule; nullopt when the text is
// missing, empty, zero, negative or otherwise unusable, so the caller can fall
// back to the other record of the pair.
std::optional<double> storedRate(QStringView text);
