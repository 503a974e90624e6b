#pragma once

// The three numbers of a QIF date ("12/31/99", "31.12.1999", "6/ 1' 0"):
// digits build a number, blanks are skipped (so a blank-padded "/ 1" reads
// as 1), any other character ends the current number. Reading stops after the
// third number; whatever follows it is not looked at ("03/25/099Share" is 3,
// 25, 99).
//
// Two readers differ only in what they forgive: date order detection lets a
// separator that follows another separator pass, date parsing refuses it.
// Both refuse a separator before the first digit and fewer than three numbers.

#include <QStringView>
#include <QtGlobal>

#include <array>
#include <optional>

using QifDateNumbers = std::array<qint32, 3>;

enum class QifDateReading { Detect, Parse };

// Each number saturates at MaxNumber (every rule only compares with far smaller values).
constexpr qint32 QifDateMaxNumber = 99'999'999;

std::optional<QifDateNumbers> readQifDateNumbers(QStringView text, QifDateReading reading);
