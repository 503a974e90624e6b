#pragma once

// Where an import reads its statement lines from: a QIF, OFX or CSV file
// behind one interface, so matching, writing and progress are the same for
// every format.

#include "interchange/StatementLine.h"

#include <QString>

#include <optional>

class StatementSource {
public:
    enum class Next { Line, End, Failed };

    virtual ~StatementSource() = default;

    // Everything that must hold before the book is touched: the file is read
    // and checked as far as the format allows, for an account kept in
    // `accountCurrency`. The number of lines to come (for the progress bar),
    // or nullopt when the file is refused (failure() says why).
    virtual std::optional<qint64> prepare(const QString& accountCurrency) = 0;
    // The next line; Failed when reading broke off (failure() says why).
    virtual Next next(StatementLine& line) = 0;
    // Why prepare() or next() failed, in the words shown to the user.
    virtual QString failure() const = 0;
    // True once a line named a project: the project totals are then recomputed.
    virtual bool namedProject() const { return false; }
};
