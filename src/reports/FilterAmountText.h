#pragma once

// A bound of the report filter's amount range as the user types it: the
// lenient number rule, with at least one digit, since a text without any
// would read as 0 and quietly bound the range there.

#include "store/Money.h"

#include <QString>

#include <optional>

class FilterAmountText {
public:
    // nullopt for a text without a digit or a number out of range.
    static std::optional<Money> parse(const QString& text);
    // What the Advanced Filter's field shows for a bound: "" for an open one
    // (the default), else the plain form ("-12.50").
    static QString shown(Money bound, qint64 openBound);
};
