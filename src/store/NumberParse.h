#pragma once

// The one lenient number reader for every amount and rate typed anywhere, for
// stored rate texts and for QIF amounts. It accepts 1,234.56, 1.234,56 and
// 20 000.00 alike: the rightmost of the separators = ' , . ; @ | \ is the
// decimal point, every other character but digits and '-' is ignored.

#include <QString>
#include <QStringView>

// Never fails: text without a usable number reads as 0. The result is finite
// unless the digits exceed the double range, which gives +/- infinity.
// A '-' that does not lead the kept characters ends the number ("5-3" is 5,
// "--1" is 0). Letters are dropped, so "1e400" reads as 1400.
double parseLenientNumber(QStringView text);
