#pragma once

// An amount as scripts read it: an optional minus, the whole units without
// grouping, a point and two decimals ("-1234.05"). Made from the hundredths
// with integer arithmetic only, so every amount, the extremes included, is
// written exactly.

#include "store/Money.h"

#include <QString>

QString plainDecimal(Money amount);
