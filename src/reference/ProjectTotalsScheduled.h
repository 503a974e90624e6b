#pragma once

#include "reference/CurrencyCache.h"
#include "store/Money.h"

#include <vector>

// What a project's future-list entries up to the horizon add up to: each
// amount converted into the default currency and rounded on its own, and the
// unconverted sums by currency code in the order the codes were first met.
struct ProjectTotalsScheduled {
    Money inDefault;
    std::vector<CurrencyAmount> byCurrency;
    int entries = 0;
};
